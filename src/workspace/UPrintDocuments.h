#pragma once
// What the program prints, as documents that any printer (or a PDF file) paginates: a
// project with its task table, whose header is repeated on every page, and one day of the
// calendar with its 24 hours.

#include <QDate>

#include <memory>

class QTextDocument;
class THours;
class TProject;

[[nodiscard]] std::unique_ptr<QTextDocument> ProjectDocument(const TProject& project);
[[nodiscard]] std::unique_ptr<QTextDocument> DayDocument(const QDate& date, const THours& hours);
