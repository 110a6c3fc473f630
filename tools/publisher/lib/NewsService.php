<?php
// The answers of getlastnews.php and getnewsdetails.php. Every answer has status 200 and is
// either a success ending in 0xAF "OK" or one of the error words, none of which holds "OK".
declare(strict_types=1);

// Nothing a warning prints may reach the answer; Wire::send drops what was buffered.
ini_set('display_errors', '0');
ini_set('zlib.output_compression', '0');
ob_start();

require_once __DIR__ . '/NewsDatabase.php';
require_once __DIR__ . '/Wire.php';

// An error answer: the word is the whole answer.
final class NewsRefusal extends Exception
{
}

final class NewsService
{
    // getlastnews.php: conttype "all" lists the news, "lastcode" gives the newest headline.
    public static function answerLastNews(): never
    {
        self::serve(function (NewsDatabase $database, array $request): string {
            $kind = Wire::requestField($_POST, 'conttype');
            if ($kind !== 'all' && $kind !== 'lastcode')
                throw new NewsRefusal('INVALIDPRODUCT');
            $rows = $database->headlines($request['publisher'], $request['product'], $request['edition'],
                $request['target'], $kind === 'lastcode');
            $answer = '';
            foreach ($rows as $row) {
                $answer .= (int) $row['id'] . '^' . Wire::field((string) $row['title']);
                $answer .= ($kind === 'all' ? '^' . Wire::field((string) $row['published']) : '') . Wire::SEPARATOR;
            }
            return $answer . 'OK';
        });
    }

    // getnewsdetails.php: the body of "newsid", when it is addressed to the asking copy.
    public static function answerNewsDetails(): never
    {
        self::serve(function (NewsDatabase $database, array $request): string {
            $id = Wire::requestField($_POST, 'newsid');
            if (preg_match('/^[0-9]{1,18}\z/', $id) !== 1 || (int) $id > NewsDatabase::LARGEST_ID)
                throw new NewsRefusal('INVALIDNEWS');
            $body = $database->body((int) $id, $request['publisher'], $request['product'], $request['edition'],
                $request['target']);
            if ($body === null)
                throw new NewsRefusal('INVALIDNEWS');
            return Wire::escaped(Wire::windows1252($body, true)) . Wire::END;
        });
    }

    // A missing field reads as empty and so as unknown. "newstarget" selects the news stored
    // for that target; the program always sends "UA", and an empty one reads as "UA".
    // "something" is not used.
    private static function serve(callable $answer): never
    {
        if (($_SERVER['REQUEST_METHOD'] ?? '') !== 'POST') {
            header('Allow: POST');
            Wire::send('INVALIDREQUEST', 405);
        }
        try {
            $database = NewsDatabase::open(false);
            $request = [
                'publisher' => Wire::requestField($_POST, 'memusername'),
                'product' => Wire::requestField($_POST, 'prodcode'),
                'edition' => Wire::requestField($_POST, 'prodtype'),
                'target' => Wire::requestField($_POST, 'newstarget'),
            ];
            if ($request['target'] === '')
                $request['target'] = 'UA';
            if (!$database->hasPublisher($request['publisher']))
                throw new NewsRefusal('INVALIDUSER');
            if (!in_array($request['edition'], NewsDatabase::EDITIONS, true)
                || !$database->hasProduct($request['publisher'], $request['product']))
                throw new NewsRefusal('INVALIDPRODUCT');
            $bytes = $answer($database, $request);
        } catch (NewsRefusal $refusal) {
            $bytes = $refusal->getMessage();
        } catch (Throwable $failure) {
            error_log('taskwren news service: ' . $failure->getMessage());
            $bytes = 'CONNECTIONFAIL';
        }
        Wire::send($bytes);
    }
}
