<?php
// The news service's tests: its scratch databases on a database server, and SQL on the
// service's own database.
//
//   php database.php create|exists|drop NAME    on the server TASKWREN_TEST_DATABASE names
//   php database.php exec STATEMENT             on the database TASKWREN_NEWS_DSN names
//
// TASKWREN_TEST_DATABASE is the server's PDO data source name without a database name,
// TASKWREN_TEST_DATABASE_USER and TASKWREN_TEST_DATABASE_PASSWORD its account. "create"
// prints the data source name of the new database.
declare(strict_types=1);

[, $command, $argument] = $argv + [null, '', ''];
$options = [PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION];
if ($command === 'exec') {
    $pdo = new PDO((string) getenv('TASKWREN_NEWS_DSN'), getenv('TASKWREN_NEWS_USER') ?: null,
        getenv('TASKWREN_NEWS_PASSWORD') ?: null, $options);
    $pdo->exec($argument);
    exit(0);
}
if (preg_match('/^[a-z0-9_]{1,60}$/', $argument) !== 1)
    exit(2);
$server = (string) getenv('TASKWREN_TEST_DATABASE');
$postgres = str_starts_with($server, 'pgsql:');
$pdo = new PDO($server . ($postgres ? ';dbname=postgres' : ''), getenv('TASKWREN_TEST_DATABASE_USER') ?: null,
    getenv('TASKWREN_TEST_DATABASE_PASSWORD') ?: null, $options);
switch ($command) {
    case 'create':
        $pdo->exec("CREATE DATABASE $argument");
        echo $server, ";dbname=$argument", $postgres ? '' : ';charset=utf8mb4';
        break;
    case 'exists':
        $names = $pdo->query($postgres ? 'SELECT datname FROM pg_database' : 'SHOW DATABASES')->fetchAll(PDO::FETCH_COLUMN);
        exit(in_array($argument, $names, true) ? 0 : 1);
    case 'drop':
        $pdo->exec("DROP DATABASE IF EXISTS $argument" . ($postgres ? ' WITH (FORCE)' : ''));
        break;
    default:
        exit(2);
}
