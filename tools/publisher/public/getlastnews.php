<?php
// Taskwren news: the list of news (conttype "all") or the newest headline ("lastcode").
require __DIR__ . '/../lib/NewsService.php';
NewsService::answerLastNews();
