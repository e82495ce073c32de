#include "ControlsTest.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int status = 0;
    for (const auto& make : ControlsTest::factories()) {
        const std::unique_ptr<QObject> test = make();
        status |= QTest::qExec(test.get(), argc, argv);
    }
    return status;
}
