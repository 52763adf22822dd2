// Tests of the parameter image, editor value conversions, edit history and editing commands.
#include <QtTest>

#include "EditHistory.h"
#include "EditingCommands.h"
#include "EditorValues.h"
#include "ParameterImage.h"

using namespace dorv;

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void defaultsInBothModes();
};

void TestModel::defaultsInBothModes() {
    ParameterImage image;
    image.bytes().fill(0xAB);
    image.servo(0).PercentMode() = 1;
    image.servo(1).PercentMode() = 0;
    SetDefaultParameters(image);
    for (int k = 0; k < RpmColumns; ++k) {
        for (int r = 0; r < ThrottleRows; ++r) {
            QCOMPARE(int(image.ServoTable(0, r, k)), 40 + 2 * k);
            QCOMPARE(int(image.ServoTable(1, r, k)), 100 + 5 * k);
        }
    }
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
