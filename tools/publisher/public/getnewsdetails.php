<?php
// Taskwren news: the body of one news item ("newsid").
require __DIR__ . '/../lib/NewsService.php';
NewsService::answerNewsDetails();
