#include "app/FReminder.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QLocale>

namespace {

QChar decimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar(u',') : point.front();
}

} // namespace

TfrmReminder::TfrmReminder(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Brivo Reminder"));
    resize(472, 222);
    m_state.folders = programFolders();
    QString diagnostic;
    m_state.readStore(diagnostic);
}

AppState& TfrmReminder::state()
{
    return m_state;
}

void TfrmReminder::closeEvent(QCloseEvent* event)
{
    m_state.writeStore(decimalSeparator(), QDateTime::currentDateTime());
    event->accept();
}
