#include "ui/UColumnFit.h"
#include "UPinnedSettings.h"
#include "ui/UIcons.h"
#include "ui/UWidgets.h"

#include <QHeaderView>
#include <QRandomGenerator>
#include <QTest>
#include <QTreeWidget>

class UColumnFitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PinLocaleAndFonts(); }

    // Qt's own fit, told to measure every row, is the reference; names full of kerned pairs,
    // letters above Latin-1, hidden rows and closed branches are where a bound could fail.
    void givesTheWidthOfMeasuringEveryShownRow()
    {
        const QString letters = QStringLiteral("AVWaTo.yL'ilm \u20ac\u2014\u00e9\u00c5fi1W");
        QRandomGenerator random(20081005);
        for (int round = 0; round < 20; ++round) {
            QTreeWidget tree;
            tree.setFont(DesignFont());
            tree.setHeaderHidden(true);
            tree.resize(200, 300);
            for (int c = 0; c < 30; ++c) {
                auto* category = new QTreeWidgetItem(&tree, {QStringLiteral("Category %1").arg(c)});
                category->setIcon(0, CategoryIcon());
                for (int p = 0; p < 20; ++p) {
                    QString name;
                    for (int length = random.bounded(1, 40); length > 0; --length)
                        name += letters.at(random.bounded(letters.size()));
                    auto* project = new QTreeWidgetItem(category, {name});
                    project->setIcon(0, ProjectIcon());
                    project->setHidden(random.bounded(8) == 0);
                }
                category->setExpanded(random.bounded(4) != 0);
            }
            tree.show();
            tree.header()->setResizeContentsPrecision(-1);
            tree.resizeColumnToContents(0);
            const int measured = tree.columnWidth(0);
            tree.setColumnWidth(0, 10);
            FitFirstColumn(tree);
            QCOMPARE(tree.columnWidth(0), measured);
        }
    }
};

QTEST_MAIN(UColumnFitTest)
#include "UColumnFitTest.moc"
