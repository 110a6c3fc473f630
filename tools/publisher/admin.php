#!/usr/bin/env php
<?php
// The publisher's administration of the Taskwren news service, from the command line.
declare(strict_types=1);

if (PHP_SAPI !== 'cli') {
    http_response_code(404);
    exit;
}

require __DIR__ . '/lib/NewsDatabase.php';

const USAGE = <<<'TEXT'
Usage: php admin.php COMMAND [ARGUMENTS]

  init                               create the tables; again, it changes nothing (but
                                     makes an older MySQL or MariaDB database compare ids,
                                     codes and targets exactly, and lists the news whose
                                     target is not "UA", which no copy receives)
  add-publisher ID [NAME]            add a publisher; ID is the publisher id of its copies
  add-product PUBLISHER CODE [NAME]  add a product (the copies' BranderCode) of a publisher
  add-news --publisher ID --product CODE --editions LIST --title TEXT --published TEXT
           (--body-file FILE | --body HTML) [--target TARGET]
                                     add a news item and say its id
  list-news [--publisher ID] [--product CODE]
                                     list the news, newest first, one a line, tab-separated
  remove-news ID                     remove a news item
  help                               show this text

LIST names the editions the news is for, separated by commas: BM (Master), BP (Platinum),
BG (Gold). TARGET is "UA" unless given; the program asks for "UA" news only. FILE "-" reads
the body from standard input. A body holds at most 1 MiB (1,048,576 bytes of UTF-8), which
is more than real news need. Ids and codes are 1 to 64 visible ASCII characters, targets 1
to 16 letters or digits; all are compared exactly, letter case included.

Texts are UTF-8 and reach the program in Windows-1252: a character that code page lacks
becomes "?" in a title or publication text and a character reference (&#...;) in a body.
A title or publication text may not hold "^", "¯" or line breaks (the program splits at them).

The database is the PDO data source name in config.php, or TASKWREN_NEWS_DSN (with
TASKWREN_NEWS_USER and TASKWREN_NEWS_PASSWORD) when that is set. When config.php holds the
password, init makes it unreadable to other local users.

Exit status: 0 success; 1 refused or failed; 2 wrong usage.

TEXT;

// Its code is the exit status.
final class AdminFailure extends Exception
{
}

function refuse(string $message): never
{
    throw new AdminFailure($message, 1);
}

function usage(string $message): never
{
    throw new AdminFailure($message, 2);
}

// Positional arguments and "--name value" (or "--name=value") options of the allowed names.
function parseArguments(array $arguments, array $allowed, int $minimum, int $maximum): array
{
    $positional = [];
    $options = [];
    for ($i = 0; $i < count($arguments); ++$i) {
        $argument = $arguments[$i];
        if (!str_starts_with($argument, '--')) {
            $positional[] = $argument;
            continue;
        }
        [$name, $value] = str_contains($argument, '=') ? explode('=', substr($argument, 2), 2) : [substr($argument, 2), null];
        if (!in_array($name, $allowed, true))
            usage("unknown option --$name");
        if (array_key_exists($name, $options))
            usage("--$name given twice");
        if ($value === null) {
            if (++$i === count($arguments))
                usage("--$name needs a value");
            $value = $arguments[$i];
        }
        $options[$name] = $value;
    }
    if (count($positional) < $minimum || count($positional) > $maximum)
        usage('wrong number of arguments');
    return [$positional, $options];
}

function checkedCode(string $what, string $value): string
{
    if (preg_match('/^[\x21-\x7E]{1,64}\z/', $value) !== 1)
        refuse("the $what \"$value\" is not 1 to 64 visible ASCII characters");
    return $value;
}

// Bodies are bounded in bytes of UTF-8 as stored: 1 MiB comfortably holds real news, and the
// program shows a body whole in one HTML view.
const LARGEST_BODY = 1048576;

function checkedText(string $what, string $value, int $longest, bool $oneField): string
{
    if (preg_match('//u', $value) !== 1)
        refuse("the $what is not UTF-8 text");
    $length = strlen($value) - preg_match_all('/[\x80-\xBF]/', $value); // continuation bytes start no character
    if ($oneField && ($length === 0 || preg_match('/[\x00-\x1F\x7F^\x{AF}]/u', $value) === 1))
        refuse("the $what is empty or holds \"^\", \"¯\" or a line break or other control character");
    // PostgreSQL cuts a text at a NUL, and no control character but tab and line breaks
    // belongs in a body.
    if (preg_match('/[\x00-\x08\x0B\x0C\x0E-\x1F\x7F]/', $value) === 1)
        refuse("the $what holds a control character");
    if ($length > $longest)
        refuse("the $what is longer than $longest characters");
    if (@iconv('UTF-8', 'Windows-1252', $value) === false)
        fwrite(STDERR, "admin.php: warning: the $what holds characters Windows-1252 lacks\n");
    return $value;
}

function checkedEditions(string $list): array
{
    $editions = array_values(array_unique(array_map(fn (string $e): string => strtoupper(trim($e)), explode(',', $list))));
    foreach ($editions as $edition)
        if (!in_array($edition, NewsDatabase::EDITIONS, true))
            refuse("unknown edition \"$edition\": use BM, BP or BG");
    return $editions;
}

function bodyTooLong(string $holder, string $amount): never
{
    refuse("$holder holds $amount; a body holds at most 1 MiB (1,048,576 bytes of UTF-8)");
}

// The body, without a byte order mark. A file is measured before it is read, and no more of
// it is read than a body may hold, a byte order mark and one byte beyond.
function readBody(array $options): string
{
    if (isset($options['body']) === isset($options['body-file']))
        usage('give the body with either --body or --body-file');
    $room = LARGEST_BODY + 4;
    $file = $options['body-file'] ?? null;
    if ($file === null) {
        $body = $options['body'];
    } elseif ($file === '-') {
        $body = stream_get_contents(STDIN, $room);
    } else {
        if (!file_exists($file))
            refuse("no file \"$file\"");
        if (!is_file($file))
            refuse("\"$file\" is " . (is_dir($file) ? 'a folder' : 'no regular file') . ', not a body');
        $size = @filesize($file);
        if ($size !== false && $size > $room)
            bodyTooLong("\"$file\"", "$size bytes");
        $body = @file_get_contents($file, false, null, 0, $room);
    }
    if ($body === false)
        refuse("cannot read \"$file\"");
    if (str_starts_with($body, "\xEF\xBB\xBF"))
        $body = substr($body, 3);
    if (strlen($body) > LARGEST_BODY)
        // What was read stops a little past the bound, so a longer input is told as such.
        bodyTooLong($file === null ? 'the body' : ($file === '-' ? 'standard input' : "\"$file\""),
            strlen($body) >= $room ? 'more than ' . LARGEST_BODY . ' bytes' : strlen($body) . ' bytes');
    if ($body === '')
        refuse('the body is empty');
    return checkedText('body', $body, LARGEST_BODY, false);
}

// Runs $insert, refusing a key that exists. $stored gives the key the database holds for the
// given one: on an older MySQL or MariaDB database it may differ in letter case.
function insertOnce(callable $insert, callable $named, string $given, callable $stored): void
{
    if ($stored() === $given)
        refuse($named($given) . ' exists already');
    try {
        $insert();
    } catch (PDOException $failure) {
        $existing = $stored();
        if ($existing === null || !in_array((string) $failure->getCode(), ['23000', '23505'], true))
            throw $failure;
        refuse($existing === $given ? $named($given) . ' exists already'
            : $named($existing) . " exists, and this database takes \"$given\" for the same;"
                . ' "php admin.php init" makes it compare exactly');
    }
}

function named(string $name): string
{
    return $name === '' ? '' : " ($name)";
}

// config.php holds the database password when it names one: no other local user may read it.
function protectConfig(): void
{
    $settings = require NewsDatabase::CONFIG;
    $mode = @fileperms(NewsDatabase::CONFIG);
    if (($settings['password'] ?? '') === '' || $mode === false || ($mode & 0007) === 0)
        return;
    if (@chmod(NewsDatabase::CONFIG, $mode & 0770))
        printf("made config.php, which holds the database password, unreadable to other users (mode %04o)\n", $mode & 0770);
    else
        fwrite(STDERR, "admin.php: warning: config.php holds the database password and other users may read it\n");
}

function init(NewsDatabase $database): void
{
    $done = $database->createTables();
    if ($done['created'] === [] && $done['exact'] === [])
        echo "the tables are ready; nothing changed\n";
    elseif ($done['created'] !== [])
        echo 'created the tables ', implode(', ', $done['created']), "\n";
    if ($done['exact'] !== [])
        echo 'made ', implode(', ', $done['exact']), ' compare exactly (letter case and trailing blanks count)', "\n";
    foreach ($database->newsOfOtherTargets('UA') as $news)
        echo "news {$news['id']} has the target \"{$news['target']}\", not \"UA\": copies ask for \"UA\" only,",
            " so none receives it (left as it is)\n";
    protectConfig();
}

function addNews(NewsDatabase $database, array $options): void
{
    foreach (['publisher', 'product', 'editions', 'title', 'published'] as $required)
        if (!isset($options[$required]))
            usage("add-news needs --$required");
    $news = [
        'publisher' => $options['publisher'],
        'product' => $options['product'],
        'target' => $options['target'] ?? 'UA',
        'title' => checkedText('title', $options['title'], 255, true),
        'published' => checkedText('publication text', $options['published'], 100, true),
        'body' => readBody($options),
    ];
    if (preg_match('/^[A-Za-z0-9]{1,16}\z/', $news['target']) !== 1)
        refuse("the target \"{$news['target']}\" is not 1 to 16 letters or digits");
    $editions = checkedEditions($options['editions']);
    if (!$database->hasProduct($news['publisher'], $news['product']))
        refuse("no product \"{$news['product']}\" of publisher \"{$news['publisher']}\"");
    $id = $database->addNews($news, $editions);
    echo "added news $id for product \"{$news['product']}\" of publisher \"{$news['publisher']}\", editions ",
        implode(',', $editions), ", target \"{$news['target']}\"\n";
}

function listNews(NewsDatabase $database, array $options): void
{
    echo "id\tpublisher\tproduct\teditions\ttarget\tpublished\ttitle\n";
    foreach ($database->listNews($options['publisher'] ?? null, $options['product'] ?? null) as $item)
        echo implode("\t", [$item['id'], $item['publisher_id'], $item['product_code'], implode(',', $item['editions']),
            $item['target'], $item['published'], $item['title']]), "\n";
}

function run(array $arguments): void
{
    $command = array_shift($arguments) ?? '';
    if (in_array($command, ['help', '--help', '-h'], true)) {
        echo USAGE;
        return;
    }
    $shapes = [ // allowed options, fewest and most positional arguments
        'init' => [[], 0, 0],
        'add-publisher' => [[], 1, 2],
        'add-product' => [[], 2, 3],
        'add-news' => [['publisher', 'product', 'editions', 'title', 'published', 'body', 'body-file', 'target'], 0, 0],
        'list-news' => [['publisher', 'product'], 0, 0],
        'remove-news' => [[], 1, 1],
    ];
    if (!isset($shapes[$command]))
        usage($command === '' ? 'no command given' : "unknown command \"$command\"");
    [$arguments, $options] = parseArguments($arguments, ...$shapes[$command]);
    $database = NewsDatabase::open(true);
    switch ($command) {
        case 'init':
            init($database);
            break;
        case 'add-publisher':
            $id = checkedCode('publisher id', $arguments[0]);
            $name = checkedText('name', $arguments[1] ?? '', 200, false);
            insertOnce(fn () => $database->addPublisher($id, $name), fn (string $key): string => "publisher \"$key\"",
                $id, fn (): ?string => $database->storedPublisher($id));
            echo "added publisher \"$id\"", named($name), "\n";
            break;
        case 'add-product':
            [$publisher, $code] = [$arguments[0], checkedCode('product code', $arguments[1])];
            $name = checkedText('name', $arguments[2] ?? '', 200, false);
            if (!$database->hasPublisher($publisher))
                refuse("no publisher \"$publisher\"");
            insertOnce(fn () => $database->addProduct($publisher, $code, $name),
                fn (string $key): string => "product \"$key\" of publisher \"$publisher\"", $code,
                fn (): ?string => $database->storedProduct($publisher, $code));
            echo "added product \"$code\"", named($name), " of publisher \"$publisher\"\n";
            break;
        case 'add-news':
            addNews($database, $options);
            break;
        case 'list-news':
            listNews($database, $options);
            break;
        case 'remove-news':
            if (preg_match('/^[0-9]{1,18}\z/', $arguments[0]) !== 1)
                usage("\"{$arguments[0]}\" is no news id");
            $id = (int) $arguments[0];
            if ($id > NewsDatabase::LARGEST_ID || !$database->removeNews($id))
                refuse("no news {$arguments[0]}");
            echo "removed news $id\n";
            break;
    }
}

try {
    run(array_slice($argv, 1));
} catch (AdminFailure $failure) {
    fwrite(STDERR, "admin.php: {$failure->getMessage()}\n");
    if ($failure->getCode() === 2)
        fwrite(STDERR, "Try 'php admin.php help'.\n");
    exit($failure->getCode());
} catch (PDOException $failure) {
    fwrite(STDERR, "admin.php: database: {$failure->getMessage()}\n");
    exit(1);
} catch (RuntimeException $failure) {
    fwrite(STDERR, "admin.php: {$failure->getMessage()}\n");
    exit(1);
}
