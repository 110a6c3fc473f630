#include "ui/USkin.h"

#include "ui/UWidgets.h"

#include <QApplication>
#include <QBuffer>
#include <QFontDatabase>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QToolTip>

QString BuiltInSkin()
{
    // Captions keep 3 pixels clear of their buttons' borders; the focus is marked in blue.
    return QStringLiteral(R"(
QWidget#stsMain, QWidget#stsWelcome, QDialog { background: #f6f7f9; color: #1f2328; }
QPushButton {
    background: #ffffff; color: #1f2328; border: 1px solid #c8ccd2; border-radius: 4px; padding: 0 3px;
}
QPushButton:hover { background: #eef4fc; border-color: #5b8fd6; }
QPushButton:pressed { background: #dce8f8; }
QPushButton:default { border-color: #3a78d0; }
QPushButton:focus { border-color: #3a78d0; background: #e6effb; }
QPushButton:disabled { color: #9aa0a6; }
QToolButton { border: 1px solid transparent; border-radius: 4px; background: transparent; }
QToolButton:hover { background: #eef4fc; border-color: #c8d8ee; }
QToolButton:focus { border-color: #3a78d0; }
QToolButton:pressed { background: #dce8f8; }
QToolButton#qt_calendar_monthbutton { padding-right: 12px; }
TLinkLabel { border: 1px solid transparent; }
TLinkLabel:focus { border-color: #3a78d0; }
QFrame#panBanner { background: #ffffff; border: 1px solid #d6d9de; }
QFrame#panLinks { background: #eef0f3; border-top: 1px solid #d6d9de; }
QGroupBox { border: 1px solid #d6d9de; border-radius: 4px; margin-top: 8px; padding-top: 5px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }
QTreeView, QTextBrowser, QPlainTextEdit, QLineEdit, QDateEdit {
    background: #ffffff; border: 1px solid #d0d4da; selection-background-color: #3a78d0;
    selection-color: #ffffff;
}
QTreeView:focus, QTextBrowser:focus, QPlainTextEdit:focus, QLineEdit:focus { border-color: #3a78d0; }
QPlainTextEdit#memAbout { border: none; }
QProgressBar { border: 1px solid #c8ccd2; border-radius: 3px; background: #ffffff; text-align: center; }
QProgressBar::chunk { background: #6aa84f; }
QTabWidget#pgcMain::pane { border: 1px solid #d6d9de; }
QTabBar::tab { background: #e9ecef; border: 1px solid #d0d4da; padding: 3px 12px; }
QTabBar::tab:selected { background: #ffffff; }
QTabBar::tab:selected:focus { border-color: #3a78d0; }
QSplitter::handle { background: #f6f7f9; }
)");
}

QPalette BuiltInPalette()
{
    const QColor text(0x1f, 0x23, 0x28);
    const QColor faded(0x9a, 0xa0, 0xa6);
    const QColor white(Qt::white);
    const QColor highlight(0x3a, 0x78, 0xd0);
    QPalette palette;
    const auto set = [&palette](QPalette::ColorRole role, const QColor& colour) {
        palette.setColor(QPalette::All, role, colour);
    };
    set(QPalette::Window, QColor(0xf6, 0xf7, 0xf9));
    set(QPalette::WindowText, text);
    set(QPalette::Base, white);
    set(QPalette::AlternateBase, QColor(0xf0, 0xf2, 0xf5));
    set(QPalette::Text, text);
    set(QPalette::PlaceholderText, QColor(0x6e, 0x77, 0x81));
    set(QPalette::Button, QColor(0xf0, 0xf1, 0xf3));
    set(QPalette::ButtonText, text);
    set(QPalette::BrightText, white);
    set(QPalette::Light, white);
    set(QPalette::Midlight, QColor(0xe6, 0xe8, 0xeb));
    set(QPalette::Mid, QColor(0xc8, 0xcc, 0xd2));
    set(QPalette::Dark, faded);
    set(QPalette::Shadow, QColor(0x5c, 0x63, 0x70));
    set(QPalette::Highlight, highlight);
    set(QPalette::HighlightedText, white);
    set(QPalette::Link, QColor(0x1a, 0x5f, 0xb4));
    set(QPalette::LinkVisited, QColor(0x6a, 0x3f, 0xa0));
    set(QPalette::ToolTipBase, QColor(0xff, 0xfb, 0xe6));
    set(QPalette::ToolTipText, text);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, faded);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, faded);
    return palette;
}

void UseBuiltInLook()
{
    const QPalette palette = BuiltInPalette();
    QApplication::setPalette(palette);
    QToolTip::setPalette(palette);
    // Controls measure their texts as they are made, before the window's style sheet gives
    // them the design font; in the desktop's font that had Qt load two fonts for nothing.
    // Tool tips keep the desktop's font.
    QToolTip::setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    QApplication::setFont(DesignFont());
}

QString ReportListLines()
{
    // A style sheet on items also takes over painting the selection, so it says how, in the
    // palette's colours (which stay the same without the focus).
    return QStringLiteral(R"(
QTreeView[reportList="true"]::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }
QTreeView[reportList="true"]::item:selected { background: palette(highlight); color: palette(highlighted-text); }
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
