#include "ui/UPictureHelper.h"

#include "TTempFolder.h"
#include "TTestPictures.h"

#include <QTest>

#include <filesystem>

class UPictureHelperTest : public QObject {
    Q_OBJECT

private slots:
    void aMetafileDrawsAtItsSize()
    {
        const QImage picture = DrawMetafile(TASKWREN_PICTURE_HELPER, "wmf", RedWmf(105, 41));
        QCOMPARE(picture.size(), QSize(105, 41));
        QVERIFY(qRed(picture.pixel(50, 20)) > 200);
    }

    // Each of these crashed, hung or exhausted a library inside the helper; the program
    // hears of none of it.
    void everyInputThatBrokeALibraryDrawsNothingAndHarmsNothing()
    {
        for (const auto& [target, format] : {std::pair("WmfFuzz", "wmf"), std::pair("EmfFuzz", "emf")}) {
            const std::filesystem::path folder = std::filesystem::path(TASKWREN_FUZZ_REGRESSIONS) / target;
            if (!std::filesystem::exists(folder))
                continue;
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                const QImage picture = DrawMetafile(TASKWREN_PICTURE_HELPER, format, ReadWhole(entry.path().string()));
                QVERIFY2(picture.isNull() || (picture.width() <= 4096 && picture.height() <= 4096), entry.path().c_str());
            }
        }
    }
};

QTEST_MAIN(UPictureHelperTest)
#include "UPictureHelperTest.moc"
