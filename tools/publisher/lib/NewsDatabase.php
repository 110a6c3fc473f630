<?php
// The news database behind one PDO data source name: SQLite, PostgreSQL or MySQL. The SQL is
// kept to what all three share; the one difference (the type of a long text) is chosen in
// createTables. Texts are stored as UTF-8.
declare(strict_types=1);

final class NewsDatabase
{
    // The editions a news item can be addressed to, as the program sends them in "prodtype".
    public const EDITIONS = ['BM', 'BP', 'BG'];

    private function __construct(private readonly PDO $pdo)
    {
    }

    // The data source name, user and password: config.php, overridden by the environment.
    public static function settings(): array
    {
        $settings = require __DIR__ . '/../config.php';
        $variables = ['dsn' => 'TASKWREN_NEWS_DSN', 'user' => 'TASKWREN_NEWS_USER', 'password' => 'TASKWREN_NEWS_PASSWORD'];
        foreach ($variables as $key => $variable) {
            $value = getenv($variable);
            if ($value !== false)
                $settings[$key] = $value;
        }
        return $settings;
    }

    // Throws PDOException. The service opens an SQLite file read-only, so a missing file
    // is a failure rather than a new empty database; the admin script may create it.
    public static function open(bool $forWriting): self
    {
        $settings = self::settings();
        $dsn = (string) $settings['dsn'];
        $options = [PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION, PDO::ATTR_DEFAULT_FETCH_MODE => PDO::FETCH_ASSOC];
        if (str_starts_with($dsn, 'sqlite:')) {
            $options[PDO::SQLITE_ATTR_OPEN_FLAGS] = $forWriting
                ? PDO::SQLITE_OPEN_READWRITE | PDO::SQLITE_OPEN_CREATE : PDO::SQLITE_OPEN_READONLY;
            $file = substr($dsn, strlen('sqlite:'));
            if ($forWriting && $file !== ':memory:' && !is_dir(dirname($file)))
                @mkdir(dirname($file), 0770, true);
        }
        $user = ($settings['user'] ?? '') === '' ? null : (string) $settings['user'];
        $password = ($settings['password'] ?? '') === '' ? null : (string) $settings['password'];
        return new self(new PDO($dsn, $user, $password, $options));
    }

    // Creates what is missing; running it again changes nothing.
    public function createTables(): void
    {
        $longText = $this->pdo->getAttribute(PDO::ATTR_DRIVER_NAME) === 'mysql' ? 'MEDIUMTEXT' : 'TEXT';
        $tables = [
            'publishers (id VARCHAR(64) NOT NULL PRIMARY KEY, name VARCHAR(200) NOT NULL)',
            'products (publisher_id VARCHAR(64) NOT NULL, code VARCHAR(64) NOT NULL, name VARCHAR(200) NOT NULL,'
                . ' PRIMARY KEY (publisher_id, code))',
            'news (id INTEGER NOT NULL PRIMARY KEY, publisher_id VARCHAR(64) NOT NULL, product_code VARCHAR(64) NOT NULL,'
                . " target VARCHAR(16) NOT NULL, title VARCHAR(255) NOT NULL, published VARCHAR(100) NOT NULL, body $longText NOT NULL)",
            'news_editions (news_id INTEGER NOT NULL, edition CHAR(2) NOT NULL, PRIMARY KEY (news_id, edition))',
            // The last id given out. Ids are never given twice, not even after the newest
            // news was removed: the program takes a higher id for news it has not read.
            'news_counter (last_id INTEGER NOT NULL)',
        ];
        foreach ($tables as $table)
            $this->pdo->exec("CREATE TABLE IF NOT EXISTS $table");
        if ($this->pdo->query('SELECT COUNT(*) FROM news_counter')->fetchColumn() == 0)
            $this->pdo->exec('INSERT INTO news_counter (last_id) VALUES (0)');
    }

    // The id matches exactly, whatever collation the database compares with.
    public function hasPublisher(string $id): bool
    {
        $row = $this->first('SELECT id FROM publishers WHERE id = ?', [$id]);
        return $row !== null && $row['id'] === $id;
    }

    public function hasProduct(string $publisher, string $code): bool
    {
        $row = $this->first('SELECT code FROM products WHERE publisher_id = ? AND code = ?', [$publisher, $code]);
        return $row !== null && $row['code'] === $code;
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
