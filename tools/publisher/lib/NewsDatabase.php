<?php
// The news database behind one PDO data source name: SQLite, PostgreSQL or MySQL. The SQL is
// kept to what all three share; the differences (the types of keys and long texts, the
// character set) are chosen in createTables. Texts are stored as UTF-8.
declare(strict_types=1);

final class NewsDatabase
{
    // The editions a news item can be addressed to, as the program sends them in "prodtype".
    public const EDITIONS = ['BM', 'BP', 'BG'];

    public const CONFIG = __DIR__ . '/../config.php';

    // The largest news id: the INTEGER of PostgreSQL and MySQL. A larger one is no news on
    // every database, rather than a failed query on some.
    public const LARGEST_ID = 2147483647;

    // The columns requests and filters compare, with their length. MySQL's and MariaDB's text
    // collations ignore letter case and trailing blanks ("ua", "UA " equal "UA"), so there
    // they are binary strings, which compare exactly as SQLite and PostgreSQL do.
    private const KEY_COLUMNS = [
        ['publishers', 'id', 64], ['products', 'publisher_id', 64], ['products', 'code', 64],
        ['news', 'publisher_id', 64], ['news', 'product_code', 64], ['news', 'target', 16],
        ['news_editions', 'edition', 2],
    ];

    private function __construct(private readonly PDO $pdo)
    {
    }

    // The data source name, user and password: config.php, overridden by the environment.
    public static function settings(): array
    {
        $settings = require self::CONFIG;
        $variables = ['dsn' => 'TASKWREN_NEWS_DSN', 'user' => 'TASKWREN_NEWS_USER', 'password' => 'TASKWREN_NEWS_PASSWORD'];
        foreach ($variables as $key => $variable) {
            $value = getenv($variable);
            if ($value !== false)
                $settings[$key] = $value;
        }
        return $settings;
    }

    // Throws PDOException, or RuntimeException when config.php cannot be read. The service
    // opens an SQLite file read-only, so a missing file is a failure rather than a new empty
    // database; the admin script may create it.
    public static function open(bool $forWriting): self
    {
        if (!is_readable(self::CONFIG))
            throw new RuntimeException('cannot read ' . self::CONFIG . ': give the web server\'s group read access');
        $settings = self::settings();
        $dsn = (string) $settings['dsn'];
        $options = [PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION, PDO::ATTR_DEFAULT_FETCH_MODE => PDO::FETCH_ASSOC];
        if (str_starts_with($dsn, 'sqlite:')) {
            $options[PDO::SQLITE_ATTR_OPEN_FLAGS] = $forWriting
                ? PDO::SQLITE_OPEN_READWRITE | PDO::SQLITE_OPEN_CREATE : PDO::SQLITE_OPEN_READONLY;
            $file = substr($dsn, strlen('sqlite:'));
            if ($forWriting && $file !== ':memory:' && !is_dir(dirname($file)))
                @mkdir(dirname($file), 0770, true);
        } else {
            // The service keeps one connection to a database server in each web server process:
            // a new one for every request (a server process, a log-in) took most of its time.
            $options[PDO::ATTR_PERSISTENT] = !$forWriting;
        }
        $user = ($settings['user'] ?? '') === '' ? null : (string) $settings['user'];
        $password = ($settings['password'] ?? '') === '' ? null : (string) $settings['password'];
        return new self(new PDO($dsn, $user, $password, $options));
    }

    // Creates what is missing and makes the key columns of an older MySQL or MariaDB database
    // compare exactly; running it again changes nothing. Returns the tables created and the
    // columns changed.
    public function createTables(): array
    {
        $mysql = $this->driver() === 'mysql';
        $key = fn (int $length): string => ($mysql ? 'VARBINARY' : 'VARCHAR') . "($length) NOT NULL";
        $longText = $mysql ? 'MEDIUMTEXT' : 'TEXT';
        $tables = [
            'publishers' => "id {$key(64)} PRIMARY KEY, name VARCHAR(200) NOT NULL",
            'products' => "publisher_id {$key(64)}, code {$key(64)}, name VARCHAR(200) NOT NULL,"
                . ' PRIMARY KEY (publisher_id, code)',
            'news' => "id INTEGER NOT NULL PRIMARY KEY, publisher_id {$key(64)}, product_code {$key(64)},"
                . " target {$key(16)}, title VARCHAR(255) NOT NULL, published VARCHAR(100) NOT NULL, body $longText NOT NULL",
            'news_editions' => "news_id INTEGER NOT NULL, edition {$key(2)}, PRIMARY KEY (news_id, edition)",
            // The last id given out. Ids are never given twice, not even after the newest
            // news was removed: the program takes a higher id for news it has not read.
            'news_counter' => 'last_id INTEGER NOT NULL',
        ];
        $existing = $this->tableNames();
        $created = [];
        foreach ($tables as $table => $columns) {
            if (in_array($table, $existing, true))
                continue;
            // Not the server's default character set, which may be one without room for every character.
            $this->pdo->exec("CREATE TABLE $table ($columns)" . ($mysql ? ' DEFAULT CHARACTER SET utf8mb4' : ''));
            $created[] = $table;
        }
        if ($this->pdo->query('SELECT COUNT(*) FROM news_counter')->fetchColumn() == 0)
            $this->pdo->exec('INSERT INTO news_counter (last_id) VALUES (0)');
        return ['created' => $created, 'exact' => $mysql ? $this->makeKeysExact() : []];
    }

    // Id and target of the news whose target is not $target, by id.
    public function newsOfOtherTargets(string $target): array
    {
        return $this->all('SELECT id, target FROM news WHERE target <> ? ORDER BY id', [$target]);
    }

    // The id matches exactly, also on a database whose comparison still ignores letter case.
    public function hasPublisher(string $id): bool
    {
        return $this->storedPublisher($id) === $id;
    }

    // The publisher id the database takes for $id: $id itself, or on an older MySQL or
    // MariaDB database one that differs in letter case or trailing blanks; null for none.
    public function storedPublisher(string $id): ?string
    {
        $row = $this->first('SELECT id FROM publishers WHERE id = ?', [$id]);
        return $row === null ? null : (string) $row['id'];
    }

    public function hasProduct(string $publisher, string $code): bool
    {
        return $this->storedProduct($publisher, $code) === $code;
    }

    // The product code the database takes for $code, like storedPublisher.
    public function storedProduct(string $publisher, string $code): ?string
    {
        $row = $this->first('SELECT code FROM products WHERE publisher_id = ? AND code = ?', [$publisher, $code]);
        return $row === null ? null : (string) $row['code'];
    }

    // Id, title and publication text of the news addressed to this product, edition and
    // target, newest (highest id) first; only the newest with $newestOnly.
    public function headlines(string $publisher, string $product, string $edition, string $target, bool $newestOnly = false): array
    {
        return $this->all('SELECT n.id, n.title, n.published FROM news n JOIN news_editions e ON e.news_id = n.id'
            . ' WHERE n.publisher_id = ? AND n.product_code = ? AND e.edition = ? AND n.target = ?'
            . ' ORDER BY n.id DESC' . ($newestOnly ? ' LIMIT 1' : ''), [$publisher, $product, $edition, $target]);
    }

    // The body of news $id when it is addressed to this product, edition and target.
    public function body(int $id, string $publisher, string $product, string $edition, string $target): ?string
    {
        $row = $this->first('SELECT n.body FROM news n JOIN news_editions e ON e.news_id = n.id'
            . ' WHERE n.id = ? AND n.publisher_id = ? AND n.product_code = ? AND e.edition = ? AND n.target = ?',
            [$id, $publisher, $product, $edition, $target]);
        return $row === null ? null : (string) $row['body'];
    }

    public function addPublisher(string $id, string $name): void
    {
        $this->run('INSERT INTO publishers (id, name) VALUES (?, ?)', [$id, $name]);
    }

    public function addProduct(string $publisher, string $code, string $name): void
    {
        $this->run('INSERT INTO products (publisher_id, code, name) VALUES (?, ?, ?)', [$publisher, $code, $name]);
    }

    // Returns the new id.
    public function addNews(array $news, array $editions): int
    {
        return $this->inTransaction(function () use ($news, $editions): int {
            // The update locks the counter row, so two writers never take the same id.
            $this->pdo->exec('UPDATE news_counter SET last_id = last_id + 1');
            $id = (int) $this->pdo->query('SELECT last_id FROM news_counter')->fetchColumn();
            $this->run('INSERT INTO news (id, publisher_id, product_code, target, title, published, body)'
                . ' VALUES (?, ?, ?, ?, ?, ?, ?)', [$id, $news['publisher'], $news['product'], $news['target'],
                $news['title'], $news['published'], $news['body']]);
            foreach ($editions as $edition)
                $this->run('INSERT INTO news_editions (news_id, edition) VALUES (?, ?)', [$id, $edition]);
            return $id;
        });
    }

    // Every news item, newest first, with its editions as a list.
    public function listNews(?string $publisher, ?string $product): array
    {
        $where = [];
        $values = [];
        foreach (['publisher_id' => $publisher, 'product_code' => $product] as $column => $value)
            if ($value !== null) {
                $where[] = "$column = ?";
                $values[] = $value;
            }
        $news = $this->all('SELECT id, publisher_id, product_code, target, title, published FROM news'
            . ($where ? ' WHERE ' . implode(' AND ', $where) : '') . ' ORDER BY id DESC', $values);
        $editions = [];
        foreach ($this->all('SELECT news_id, edition FROM news_editions ORDER BY edition') as $row)
            $editions[(int) $row['news_id']][] = $row['edition'];
        foreach ($news as &$item)
            $item['editions'] = $editions[(int) $item['id']] ?? [];
        return $news;
    }

    // False when there is no news $id.
    public function removeNews(int $id): bool
    {
        return $this->inTransaction(function () use ($id): bool {
            $this->run('DELETE FROM news_editions WHERE news_id = ?', [$id]);
            return $this->run('DELETE FROM news WHERE id = ?', [$id])->rowCount() > 0;
        });
    }

    private function driver(): string
    {
        return (string) $this->pdo->getAttribute(PDO::ATTR_DRIVER_NAME);
    }

    private function tableNames(): array
    {
        $sql = match ($this->driver()) {
            'sqlite' => "SELECT name FROM sqlite_master WHERE type = 'table'",
            'pgsql' => 'SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema()',
            default => 'SELECT table_name FROM information_schema.tables WHERE table_schema = DATABASE()',
        };
        return array_map('strval', $this->pdo->query($sql)->fetchAll(PDO::FETCH_COLUMN));
    }

    // Turns the key columns that are still text into binary strings; their bytes stay as they are.
    private function makeKeysExact(): array
    {
        $types = [];
        foreach ($this->all('SELECT table_name AS t, column_name AS c, data_type AS d FROM information_schema.columns'
            . ' WHERE table_schema = DATABASE()') as $row)
            $types["{$row['t']}.{$row['c']}"] = strtolower((string) $row['d']);
        $changed = [];
        foreach (self::KEY_COLUMNS as [$table, $column, $length]) {
            if (($types["$table.$column"] ?? 'varbinary') === 'varbinary')
                continue;
            $this->pdo->exec("ALTER TABLE $table MODIFY $column VARBINARY($length) NOT NULL");
            $changed[] = "$table.$column";
        }
        return $changed;
    }

    private function run(string $sql, array $values): PDOStatement
    {
        $statement = $this->pdo->prepare($sql);
        $statement->execute($values);
        return $statement;
    }

    private function all(string $sql, array $values = []): array
    {
        return $this->run($sql, $values)->fetchAll();
    }

    private function first(string $sql, array $values): ?array
    {
        $rows = $this->all($sql, $values);
        return $rows[0] ?? null;
    }

    private function inTransaction(callable $work): mixed
    {
        $this->pdo->beginTransaction();
        try {
            $result = $work();
            $this->pdo->commit();
            return $result;
        } catch (Throwable $failure) {
            $this->pdo->rollBack();
            throw $failure;
        }
    }
}
