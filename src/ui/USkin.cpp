#include "ui/USkin.h"

#include <QBuffer>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringDecoder>

QString BuiltInSkin()
{
    return QStringLiteral(R"(
QWidget#stsMain, QWidget#stsWelcome, QDialog { background: #f6f7f9; color: #1f2328; }
QPushButton {
    background: #ffffff; color: #1f2328; border: 1px solid #c8ccd2; border-radius: 4px; padding: 0;
}
QPushButton:hover { background: #eef4fc; border-color: #5b8fd6; }
QPushButton:pressed { background: #dce8f8; }
QPushButton:default { border-color: #3a78d0; }
QPushButton:disabled { color: #9aa0a6; }
QToolButton { border: 1px solid transparent; border-radius: 4px; background: transparent; }
QToolButton:hover { background: #eef4fc; border-color: #c8d8ee; }
QToolButton:pressed { background: #dce8f8; }
QFrame#panBanner { background: #ffffff; border: 1px solid #d6d9de; }
QFrame#panLinks { background: #eef0f3; border-top: 1px solid #d6d9de; }
QGroupBox { border: 1px solid #d6d9de; border-radius: 4px; margin-top: 8px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }
QTreeView, QTextBrowser, QPlainTextEdit, QLineEdit, QDateEdit {
    background: #ffffff; border: 1px solid #d0d4da; selection-background-color: #3a78d0;
    selection-color: #ffffff;
}
QPlainTextEdit#memAbout { border: none; }
QProgressBar { border: 1px solid #c8ccd2; border-radius: 3px; background: #ffffff; text-align: center; }
QProgressBar::chunk { background: #6aa84f; }
QTabWidget#pgcMain::pane { border: 1px solid #d6d9de; }
QTabBar::tab { background: #e9ecef; border: 1px solid #d0d4da; padding: 3px 12px; }
QTabBar::tab:selected { background: #ffffff; }
QSplitter::handle { background: #f6f7f9; }
)");
}

QString DesignFonts()
{
    return QStringLiteral(R"(
* { font-family: "Arial"; font-size: 14px; font-weight: normal; font-style: normal; }
TLinkLabel { font-size: 12px; }
QLabel#lblProductName { font-size: 11px; font-weight: bold; }
QCalendarWidget#calMain, QCalendarWidget#calMain * { font-size: 11px; }
)");
}

std::optional<QString> SkinFromFile(std::string_view bytes)
{
    if (bytes.find('\0') != std::string_view::npos)
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

QString WithoutFonts(const QString& skin)
{
    // "font", "font-size", "qproperty-font" ... up to the end of the declaration.
    static const QRegularExpression fonts(QStringLiteral(R"((?<![\w-])(?:qproperty-)?font(?:-[\w-]+)?\s*:[^;}]*;?)"),
                                          QRegularExpression::CaseInsensitiveOption);
    return QString(skin).remove(fonts);
}

QIcon IconFromFile(std::string_view bytes)
{
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ICO");
    QIcon icon;
    for (int index = 0; index < reader.imageCount(); ++index) {
        const QImage picture = reader.jumpToImage(index) ? reader.read() : QImage();
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}
