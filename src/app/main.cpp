#include "app/FReminder.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brivo"));
    QApplication::setApplicationName(QStringLiteral("Brivo Reminder"));
    TfrmReminder window;
    window.show();
    return QApplication::exec();
}
