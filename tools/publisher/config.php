<?php
// Where the news service keeps its news: one PDO data source name, with a user and a
// password for the database servers. The environment variables TASKWREN_NEWS_DSN,
// TASKWREN_NEWS_USER and TASKWREN_NEWS_PASSWORD override these values.
//
//   SQLite (the default)  'sqlite:/var/lib/taskwren-news/news.sqlite'
//   PostgreSQL            'pgsql:host=localhost;port=5432;dbname=taskwren_news'
//   MySQL or MariaDB      'mysql:host=localhost;dbname=taskwren_news;charset=utf8mb4'
return [
    'dsn' => 'sqlite:' . __DIR__ . '/data/news.sqlite',
    'user' => null,
    'password' => null,
];
