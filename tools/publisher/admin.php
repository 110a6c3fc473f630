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

  init                               create the tables; again, it changes nothing
  add-publisher ID [NAME]            add a publisher; ID is the publisher id of its copies
  add-product PUBLISHER CODE [NAME]  add a product (the copies' BranderCode) of a publisher
  add-news --publisher ID --product CODE --editions LIST --title TEXT --published TEXT
           (--body-file FILE | --body HTML) [--target TARGET]
                                     add a news item and print its id
  list-news [--publisher ID] [--product CODE]
                                     list the news, newest first, one a line, tab-separated
  remove-news ID                     remove a news item
  help                               show this text

LIST names the editions the news is for, separated by commas: BM (Master), BP (Platinum),
BG (Gold). TARGET is "UA" unless given; the program asks for "UA" news only. FILE "-" reads
the body from standard input. Ids and codes are 1 to 64 visible ASCII characters.

Texts are UTF-8 and reach the program in Windows-1252: a character that code page lacks
becomes "?" in a title or publication text and a character reference (&#...;) in a body.
A title or publication text may not hold "^", "¯" or line breaks (the program splits at them).

The database is the PDO data source name in config.php, or TASKWREN_NEWS_DSN (with
TASKWREN_NEWS_USER and TASKWREN_NEWS_PASSWORD) when that is set.

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
    if (preg_match('/^[\x21-\x7E]{1,64}$/', $value) !== 1)
        refuse("the $what \"$value\" is not 1 to 64 visible ASCII characters");
    return $value;
}

function checkedText(string $what, string $value, int $longest, bool $oneField): string
{
    $length = @iconv_strlen($value, 'UTF-8');
    if ($length === false)
        refuse("the $what is not UTF-8 text");
    if ($oneField && ($length === 0 || preg_match('/[\x00-\x1F\x7F^\x{AF}]/u', $value) === 1))
        refuse("the $what is empty or holds \"^\", \"¯\" or a line break or other control character");
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

function readBody(array $options): string
{
    if (isset($options['body']) === isset($options['body-file']))
        usage('give the body with either --body or --body-file');
    if (isset($options['body']))
        return $options['body'];
    $file = $options['body-file'];
    $body = @file_get_contents($file === '-' ? 'php://stdin' : $file);
    if ($body === false)
        refuse("cannot read \"$file\"");
    return str_starts_with($body, "\xEF\xBB\xBF") ? substr($body, 3) : $body;
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
        'body' => checkedText('body', readBody($options), 1000000, false),
    ];
    if ($news['body'] === '')
        refuse('the body is empty');
    if (preg_match('/^[A-Za-z0-9]{1,16}$/', $news['target']) !== 1)
        refuse("the target \"{$news['target']}\" is not 1 to 16 letters or digits");
    $editions = checkedEditions($options['editions']);
    if (!$database->hasProduct($news['publisher'], $news['product']))
        refuse("no product \"{$news['product']}\" of publisher \"{$news['publisher']}\"");
    echo $database->addNews($news, $editions), "\n";
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
            $database->createTables();
            echo "tables ready\n";
            break;
        case 'add-publisher':
            $id = checkedCode('publisher id', $arguments[0]);
            if ($database->hasPublisher($id))
                refuse("publisher \"$id\" exists already");
            $database->addPublisher($id, checkedText('name', $arguments[1] ?? '', 200, false));
            break;
        case 'add-product':
            [$publisher, $code] = [$arguments[0], checkedCode('product code', $arguments[1])];
            if (!$database->hasPublisher($publisher))
                refuse("no publisher \"$publisher\"");
            if ($database->hasProduct($publisher, $code))
                refuse("product \"$code\" of publisher \"$publisher\" exists already");
            $database->addProduct($publisher, $code, checkedText('name', $arguments[2] ?? '', 200, false));
            break;
        case 'add-news':
            addNews($database, $options);
            break;
        case 'list-news':
            listNews($database, $options);
            break;
        case 'remove-news':
            if (preg_match('/^[0-9]{1,18}$/', $arguments[0]) !== 1)
                usage("\"{$arguments[0]}\" is no news id");
            if (!$database->removeNews((int) $arguments[0]))
                refuse("no news {$arguments[0]}");
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
}
