<?php
// The bytes the program reads: Windows-1252 texts, records split at "^" and 0xAF, the end
// marker 0xAF "OK", bodies with "$" and two hex digits for every byte that could be lost.
declare(strict_types=1);

final class Wire
{
    public const SEPARATOR = "\xAF";
    public const END = "\xAFOK";

    // Windows-1252 bytes of UTF-8 text. A character that code page lacks (or a byte that is
    // no UTF-8) becomes "?"; with $html a lacking character becomes a numeric character
    // reference instead, which an HTML body shows as the character itself.
    public static function windows1252(string $utf8, bool $html = false): string
    {
        $whole = @iconv('UTF-8', 'Windows-1252', $utf8);
        if ($whole !== false)
            return $whole;
        // One lead byte with its continuation bytes, or a stray byte.
        preg_match_all('/[\x00-\x7F]|[\xC0-\xFF][\x80-\xBF]*|[\x80-\xBF]/', $utf8, $pieces);
        $bytes = '';
        foreach ($pieces[0] as $piece) {
            $converted = @iconv('UTF-8', 'Windows-1252', $piece);
            if ($converted !== false) {
                $bytes .= $converted;
                continue;
            }
            $wide = $html ? @iconv('UTF-8', 'UCS-4BE', $piece) : false;
            $bytes .= $wide !== false && strlen($wide) === 4 ? sprintf('&#%d;', unpack('N', $wide)[1]) : '?';
        }
        return $bytes;
    }

    // A title or publication text: the program splits records at "^" and 0xAF and takes line
    // breaks for the end of a field, so these (and the other control bytes) become blanks.
    // The admin script refuses them; this guards against rows written by other means.
    public static function field(string $utf8): string
    {
        return preg_replace('/[\x00-\x1F\x7F^\xAF]/', ' ', self::windows1252($utf8));
    }

    // "$" and two upper-case hex digits for "$" and for every byte outside "!" to "~", so the
    // program's trimming and its removal of the end marker never touch the body.
    public static function escaped(string $bytes): string
    {
        return preg_replace_callback('/[^\x21-\x23\x25-\x7E]/', fn (array $byte): string => sprintf('$%02X', ord($byte[0])), $bytes);
    }

    // A request field as the program sends it (Windows-1252) in UTF-8; "" when it is missing,
    // not a single value, or holds a byte Windows-1252 leaves undefined.
    public static function requestField(array $fields, string $name): string
    {
        $value = $fields[$name] ?? '';
        $utf8 = is_string($value) ? @iconv('Windows-1252', 'UTF-8', $value) : false;
        return $utf8 === false ? '' : $utf8;
    }

    // Sends $bytes as the whole answer, dropping anything printed before, and ends the script.
    public static function send(string $bytes, int $status = 200): never
    {
        while (ob_get_level() > 0)
            ob_end_clean();
        http_response_code($status);
        header('Content-Type: text/plain; charset=windows-1252');
        header('Content-Length: ' . strlen($bytes));
        header('Cache-Control: no-store');
        echo $bytes;
        exit;
    }
}
