#include "app/StartUpRead.h"

#include "platform/Resources.h"

StartUpRead::StartUpRead(
    const ProgramFolders& folders, const QString& codePage, const QDateTime& now, const QByteArray& logoPicture)
{
    m_state.folders = folders;
    m_state.settings.Codifica_archivio = codePage;
    m_thread = std::jthread([this, now, logoPicture] {
        m_icon.load(QStringLiteral(":/icons/brivo-reminder.png"), "PNG");
        if (!logoPicture.isEmpty())
            m_logo.loadFromData(logoPicture, pictureFormat(logoPicture));
        m_picturesDecoded.count_down();
        m_go.wait(Wait);
        if (m_go == Read)
            m_state.readStore(m_diagnostic, now);
    });
}

StartUpRead::~StartUpRead()
{
    Go waiting = Wait;
    m_go.compare_exchange_strong(waiting, Skip);
    m_go.notify_one();
}

std::pair<QImage, QImage> StartUpRead::takePictures()
{
    m_picturesDecoded.wait();
    return {std::exchange(m_icon, QImage()), std::exchange(m_logo, QImage())};
}

void StartUpRead::allowRead()
{
    m_go = Read;
    m_go.notify_one();
}

AppState& StartUpRead::finish()
{
    allowRead();
    if (m_thread.joinable())
        m_thread.join();
    return m_state;
}
