#include "warnings/FMissed.h"

#include "engine/DueMoments.h"
#include "platform/LocaleService.h"
#include "platform/Services.h"
#include "state/AppState.h"
#include "state/Colorazioni.h"
#include "state/Configuration.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TfrmMissed::TfrmMissed(AppState& appState, Services& appServices, std::function<void()> showMain)
    : QDialog(nullptr,
        Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , lstPersi(new QTreeWidget(this))
    , btnApri(new QPushButton(this))
    , state(appState)
    , services(appServices)
    , showMainWindow(std::move(showMain))
{
    // As small as the warnings' texts, and bold like their lines.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    small.setBold(true);
    lstPersi->setFont(small);
    lstPersi->setColumnCount(2);
    lstPersi->setHeaderHidden(true);
    lstPersi->setRootIsDecorated(false);
    lstPersi->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    lstPersi->setSelectionMode(QAbstractItemView::NoSelection);
    lstPersi->setFocusPolicy(Qt::NoFocus);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnApri);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstPersi);
    layout->addLayout(buttons);
    resize(380, 170);
    connect(btnApri, &QPushButton::clicked, this, [this] {
        close();
        if (showMainWindow)
            showMainWindow();
    });
}

int TfrmMissed::Testi_Lingua()
{
    const bool it = state.settings.Lingua_attuale == languageItalian();
    if (!it && state.settings.Lingua_attuale != languageEnglish())
        return 0;
    setWindowTitle(it ? QStringLiteral("Promemoria persi") : QStringLiteral("Missed reminders"));
    btnApri->setText(it ? QStringLiteral("Apri") : QStringLiteral("Open"));
    btnApri->setToolTip(it ? QStringLiteral("Mostra la lista dei promemoria") : QStringLiteral("Shows the memo list"));
    return 1;
}

QStringList TfrmMissed::columns(const MissedReminder& m) const
{
    const QDateTime when = dueClockDateTime(m.whenMs);
    QString date = when.date().toString(services.locale.shortDateFormat());
    if (m.hasTime)
        date += u' ' + when.time().toString(services.locale.shortTimeFormat());
    QString text = m.Testo;
    if (m.Tipo == AVVISO_SVEGLIA) {
        const bool it = state.settings.Lingua_attuale == languageItalian();
        const QString clock = it ? QStringLiteral("Sveglia") : QStringLiteral("Clock");
        text = text.isEmpty() ? clock : clock + QStringLiteral(": ") + text;
    }
    return {date, text};
}

QStringList TfrmMissed::lines(const MissedList& missed) const
{
    QStringList lines;
    for (const MissedReminder& m : missed)
        lines << columns(m).join(QStringLiteral(" - "));
    return lines;
}

void TfrmMissed::Aggiungi(const MissedList& missed)
{
    if (!isVisible())
        lstPersi->clear();
    Testi_Lingua();
    if (const TColorazione* s = Colorazione_Corrente(state.ArrColorazioni, state.settings.Tipo_colorazione)) {
        QPalette p = lstPersi->palette();
        p.setColor(QPalette::Base, QColor::fromRgb(s->ColoreGriglia));
        lstPersi->setPalette(p);
    }
    for (const MissedReminder& m : missed)
        lstPersi->addTopLevelItem(new QTreeWidgetItem(columns(m)));
    show();
    raise();
}
