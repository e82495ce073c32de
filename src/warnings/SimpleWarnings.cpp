#include "warnings/SimpleWarnings.h"

#include "app/AppState.h"
#include "app/Services.h"
#include "platform/SoundPlayer.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

SimpleWarning::SimpleWarning(Kind warningKind, AppState& appState, Services& appServices)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , kind(warningKind)
    , state(appState)
    , services(appServices)
    , list(new QListWidget(this))
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the tick releases it
    setWindowTitle(state.config.NOME_PROGRAMMA);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addWidget(buttons);
    resize(420, 180);
    takeEntries();
}

void SimpleWarning::takeEntries()
{
    const qint32 tipo = kind == Kind::Memo ? AVVISO_MEMO : AVVISO_SVEGLIA;
    for (REC_Avviso& a : state.ArrAvvisi) {
        if (a.Tipo != tipo || a.Stato != STATO_NUOVO)
            continue;
        a.Stato = STATO_MOSTRATO;
        keys.append(a.Chiave);
        QString text;
        if (kind == Kind::Memo) {
            const qsizetype m = findMemo(state.ArrMemo, a.Chiave);
            if (m >= 0) {
                const REC_Memo& memo = state.ArrMemo[m];
                text = DayNumbers::toTime(memo.Orario).toString(QStringLiteral("HH:mm")) + QStringLiteral("  ")
                    + memo.Nota;
            }
        } else if (a.Chiave >= 0 && a.Chiave < state.ArrSveglie.size()) {
            const REC_Sveglia& s = state.ArrSveglie[a.Chiave];
            text = DayNumbers::toTime(s.Orario).toString(QStringLiteral("HH:mm")) + QStringLiteral("  ") + s.Messaggio;
        }
        list->addItem(text);
    }
}

void SimpleWarning::playSound()
{
    const SuonoList& sounds = state.ArrSuoni;
    const bool loop = state.settings.Suono_allarme_ripeturamente == 1;
    int index = -1;
    if (kind == Kind::Memo) {
        index = Indice_Suono(sounds, state.settings.Suono_Memo);
        if (index < 0)
            return;
        services.sound.stop();
    } else {
        if (!keys.isEmpty() && keys.first() >= 0 && keys.first() < state.ArrSveglie.size())
            index = Indice_Suono(sounds, state.ArrSveglie[keys.first()].Suono);
        if (index < 0)
            index = sounds.isEmpty() ? -1 : 0;
        if (index < 0)
            return;
    }
    if (loop)
        services.sound.playLoop(sounds[index].Percorso);
    else
        services.sound.playOnce(sounds[index].Percorso);
}

void SimpleWarning::showWarning()
{
    show();
    raise();
    playSound();
}

bool SimpleWarning::isShownOnScreen() const
{
    return isVisible();
}

bool SimpleWarning::showsKey(qint32 key) const
{
    return keys.contains(key);
}

bool SimpleWarning::isFinished() const
{
    return Finestra_Chiusa;
}

void SimpleWarning::release()
{
    deleteLater();
}

QStringList SimpleWarning::lineTexts() const
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

void SimpleWarning::done(int result)
{
    services.sound.stop();
    Finestra_Chiusa = true;
    QDialog::done(result);
}

SimpleWarningFactory::SimpleWarningFactory(AppState& appState, Services& appServices)
    : state(appState)
    , services(appServices)
{
}

WarningWindow* SimpleWarningFactory::createMemoWarning()
{
    return new SimpleWarning(SimpleWarning::Kind::Memo, state, services);
}

WarningWindow* SimpleWarningFactory::createAlarmWarning()
{
    return new SimpleWarning(SimpleWarning::Kind::Sveglia, state, services);
}
