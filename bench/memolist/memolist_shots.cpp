// Pictures of the main window's memo list, to look at after a change:
//   memolist_shots <folder>
// writes memolist-<scheme>-<language>[-banner][-editor].png for "Reminder"
// and "Viola" in Italian and English, with a dozen memos in every state, at
// 09:50 on 3 June 2024, in the compact size, with the banner, and with the
// cell editor open; the alarm-clock window and the date picker over the same
// state (alarms-..., datepicker-...), the mail window and the tray notice
// (email-..., traynotice-...) and the options dialog with three sounds
// (options-...); and pictures.png: every picture at 1x,
// 2x and 3x on a light and a dark header colour, enlarged. Runs offscreen; set QT_SCALE_FACTOR=2
// for a high-density copy of the windows.

#include "memolist/MemoListRig.h"

#include "alarms/FDataOra.h"
#include "alarms/FSveglie.h"
#include "controls/A_DBStringGrid.h"
#include "dialogs/FEmail.h"
#include "dialogs/FMessaggioTrayIcon.h"
#include "dialogs/FOpzioni.h"
#include "memolist/MemoGrid.h"
#include "memolist/MemoListLayout.h"
#include "memolist/MemoListPanel.h"
#include "memolist/MemoPictures.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QPainter>

#include <cstdio>

namespace {

struct Sample {
    qint32 id;
    int days;
    QTime time;
    qint32 anticipo;
    qint32 attivo;
    qint32 eseguito;
    const char* italiano;
    const char* english;
};

// In list order; the IDs give the display order.
const Sample samples[] = {
    {4, 1, QTime(15, 30), -15, 1, 0, "Riunione con il commercialista", "Meeting with the accountant"},
    {1, 0, QTime(10, 0), -5, 1, 0, "Telefonare al dentista", "Call the dentist"},
    {2, -1, QTime(), 0, 0, 0, "Pagare la bolletta della luce", "Pay the electricity bill"},
    {3, 0, QTime(), 0, 0, 0, "Comprare il regalo per Anna", "Buy a present for Anna"},
    {12, 1, QTime(), 0, 0, 0, "Annaffiare le piante", "Water the plants"},
    {5, 5, QTime(11, 0), 15, 1, 0, "Rinnovare l'assicurazione dell'auto", "Renew the car insurance"},
    {6, 0, QTime(8, 0), 0, 1, 0, "Portare la macchina dal meccanico", "Take the car to the garage"},
    {7, -1, QTime(), 0, 0, 1, "Ritirare le analisi", "Collect the test results"},
    {8, 0, QTime(18, 0), -10, 0, 0, "Chiamare la mamma", "Call mum"},
    {9, -3, QTime(21, 0), 0, 0, 1, "Copia di sicurezza delle foto", "Back up the photos"},
    {10, 30, QTime(), 0, 0, 0, "Prenotare le vacanze", "Book the holidays"},
    {11, 0, QTime(10, 20), 0, 1, 0, "Consegnare il progetto", "Hand in the project"},
};

MemoList sampleMemos(bool english)
{
    MemoList memos;
    for (const Sample& s : samples) {
        REC_Memo m
            = memoOn(s.id, s.days, s.time, s.anticipo, s.attivo, QString::fromUtf8(english ? s.english : s.italiano));
        m.Eseguito = s.eseguito;
        memos.append(m);
    }
    return memos;
}

bool save(QWidget& w, const QString& folder, const QString& name)
{
    const QString file = QDir(folder).filePath(name);
    if (!w.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

// The alarm-clock window over the main window's state, one row highlighted.
bool shootAlarms(MemoListRig& rig, TfrmReminder& main, const QString& folder, const QString& suffix)
{
    AppState& state = main.state();
    state.ArrSveglie = {
        {1, 1, QStringLiteral("Sveglia"), 2, DayNumbers::fromTime(QTime(7, 0)), QStringLiteral("Campana")},
        {2, 1, QStringLiteral("Palestra"), 3, DayNumbers::fromTime(QTime(18, 30)), QStringLiteral("-nessun suono-")},
        {2, 0, QStringLiteral("Riunione settimanale"), 2, DayNumbers::fromTime(QTime(9, 15)), QStringLiteral("x")},
        {1, 0, QStringLiteral("Medicina"), 1, DayNumbers::fromTime(QTime(22, 0)), QStringLiteral("Campana")},
    };
    MemoPictures pictures;
    TfrmSveglie w(state, rig.services, pictures);
    w.show();
    w.dbsgSveglie()->setRow(2);
    w.RigaCorrente = 2;
    QApplication::processEvents();
    bool ok = save(w, folder, QStringLiteral("alarms-%1.png").arg(suffix));
    TfrmDataOra picker;
    picker.mtcCalendario()->setLocale(QLocale(suffix.endsWith(u"en") ? QLocale::English : QLocale::Italian));
    picker.mtcCalendario()->setSelectedDate(QDate(2024, 3, 10));
    picker.show();
    QApplication::processEvents();
    ok = save(picker, folder, QStringLiteral("datepicker-%1.png").arg(suffix)) && ok;
    TfrmEmail mail(state, rig.services, main.pictures().imgMail);
    mail.show();
    TfrmMessaggioTrayIcon notice(state, rig.boxes);
    notice.show();
    QApplication::processEvents();
    ok = save(mail, folder, QStringLiteral("email-%1.png").arg(suffix)) && ok;
    ok = save(notice, folder, QStringLiteral("traynotice-%1.png").arg(suffix)) && ok;
    for (const char* name : {"Campanello", "Din don", "Sveglia classica"}) {
        const QString s = QString::fromUtf8(name);
        state.ArrSuoni.append({s, s, rig.dir.filePath(s + QStringLiteral(".wav"))});
    }
    state.settings.Suono_Memo = state.ArrSuoni.front().Nome;
    TfrmOpzioni options(state, rig.services, pictures);
    options.show();
    QApplication::processEvents();
    return save(options, folder, QStringLiteral("options-%1.png").arg(suffix)) && ok;
}

enum class Extra { None, Banner, Editor };

bool shoot(const QString& folder, const QString& scheme, bool english, Extra extra)
{
    MemoListRig rig(english ? QStringLiteral("en_GB") : QStringLiteral("it_IT"));
    rig.putSetting(QStringLiteral("Tipo_colorazione"), scheme);
    rig.putSetting(QStringLiteral("vis_banner"), QStringLiteral("0"));
    for (const char* name : {"BANNER", "LOGO"}) {
        QFile picture(QStringLiteral(":/bitmaps/") + QLatin1String(name)); // the pictures this build carries
        if (picture.open(QIODevice::ReadOnly))
            rig.resources.bitmaps.insert(QLatin1String(name), picture.readAll());
    }
    rig.putSetting(QStringLiteral("Lingua_attuale"), english ? languageEnglish() : languageItalian());
    TfrmReminder& w = rig.start(sampleMemos(english));
    w.resize(620, 320);
    w.show();
    w.hideSplash();
    w.resize(620, 320); // the first show applies the saved size
    w.memoGrid().RigaCorrente = 4;
    if (extra == Extra::Banner) {
        w.state().config.RIDIMENSIONAMENTO_ON = true;
        w.windowLayout().Alterna_Dimensione();
    } else if (extra == Extra::Editor) {
        TA_DBStringGrid* grid = w.memoGrid().dbsgMemo();
        grid->setRow(2);
        grid->setCol(COL_TEXT);
        grid->Mostra_Editor();
    }
    QApplication::processEvents();
    w.grab(); // the first paint places the right-border panel
    QApplication::processEvents();
    const QString suffix = extra == Extra::Banner ? QStringLiteral("-banner")
        : extra == Extra::Editor                  ? QStringLiteral("-editor")
                                                  : QString();
    const QString file = QDir(folder).filePath(
        QStringLiteral("memolist-%1-%2%3.png")
            .arg(scheme.toLower(), english ? QStringLiteral("en") : QStringLiteral("it"), suffix));
    if (!w.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    if (extra != Extra::None)
        return true;
    return shootAlarms(rig, w, folder, QStringLiteral("%1-%2").arg(scheme.toLower(), english ? "en" : "it"));
}

// Each picture at 1x, 2x and 3x side by side, every one enlarged to the
// same size so the device pixels show; on a light and a dark header colour.
bool pictureSheet(const QString& folder)
{
    const MemoPictures sets[] = {MemoPictures(1.0), MemoPictures(2.0), MemoPictures(3.0)};
    const QPixmap MemoPictures::*const all[] = {&MemoPictures::imgCopy_DropDown, &MemoPictures::imgCopy_Cancella,
        &MemoPictures::imgCopy_PiuMeno, &MemoPictures::imgCopy_Eseguito_True, &MemoPictures::imgCopy_Eseguito_False,
        &MemoPictures::imgCopy_Attivo_True, &MemoPictures::imgCopy_Attivo_False, &MemoPictures::imgCopy_PlaySuono,
        &MemoPictures::imgCopy_Col_Eseguito, &MemoPictures::imgCopy_Col_Data, &MemoPictures::imgCopy_Col_Note,
        &MemoPictures::imgCopy_Col_Orario, &MemoPictures::imgCopy_Diff_Allarme, &MemoPictures::imgCopy_Nuovo,
        &MemoPictures::imgCancella_Enabled, &MemoPictures::imgCancella_Disabled, &MemoPictures::imgSort,
        &MemoPictures::imgSveglie, &MemoPictures::imgProprieta, &MemoPictures::imgMail, &MemoPictures::imgHelp,
        &MemoPictures::btnSuTutto, &MemoPictures::btnGiuTutto, &MemoPictures::btnSuUno, &MemoPictures::btnGiuUno,
        &MemoPictures::imgNormal, &MemoPictures::imgTopMost, &MemoPictures::imgConBanner,
        &MemoPictures::imgSenzaBanner};
    constexpr int zoom = 6; // screen pixels per device-independent pixel
    constexpr int box = 21 * zoom;
    constexpr int perRow = 7;
    const int count = int(std::size(all));
    const int rows = (count + perRow - 1) / perRow;
    const QColor backs[] = {QColor(0xC0, 0xC0, 0xC0), QColor(0x80, 0x00, 0x80)};
    QImage sheet(perRow * 3 * box, 2 * rows * box, QImage::Format_RGB32);
    QPainter p(&sheet);
    for (int b = 0; b < 2; ++b) {
        p.fillRect(0, b * rows * box, sheet.width(), rows * box, backs[b]);
        for (int i = 0; i < count; ++i) {
            for (int k = 0; k < 3; ++k) {
                const QPixmap& picture = sets[k].*all[i];
                const QSize size = picture.deviceIndependentSize().toSize() * zoom;
                const QPoint at(((i % perRow) * 3 + k) * box + 3, (b * rows + i / perRow) * box + 3);
                p.drawImage(QRect(at, size), picture.toImage());
            }
        }
    }
    p.end();
    return sheet.save(QDir(folder).filePath(QStringLiteral("pictures.png")));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: memolist_shots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = pictureSheet(folder);
    for (const QString& scheme : {QStringLiteral("Reminder"), QStringLiteral("Viola")}) {
        for (bool english : {false, true}) {
            for (Extra extra : {Extra::None, Extra::Banner, Extra::Editor})
                ok = shoot(folder, scheme, english, extra) && ok;
        }
    }
    return ok ? 0 : 1;
}
