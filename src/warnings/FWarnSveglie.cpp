#include "warnings/FWarnSveglie.h"

#include "platform/LocaleService.h"
#include "platform/Services.h"
#include "state/AppState.h"
#include "state/Configuration.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TfrmWarnSveglie::TfrmWarnSveglie(AppState& appState, Services& appServices, const WarningHost& appHost)
    : WarningForm(appState, appServices, appHost, QSize(323, 128))
    , memMess(new QPlainTextEdit(this))
    , pnlImmagine(new QFrame(this))
    , imgSveglia(new QLabel(pnlImmagine))
    , btnChiudi(new QToolButton(this))
{
    memMess->setGeometry(0, 0, 232, 128);
    memMess->setReadOnly(true);
    QFont bold = memMess->font();
    bold.setBold(true);
    memMess->setFont(bold);

    pnlImmagine->setGeometry(235, 3, 87, 91);
    pnlImmagine->setFocusPolicy(Qt::StrongFocus);
    auto* fill = new QVBoxLayout(pnlImmagine);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(imgSveglia);
    imgSveglia->setScaledContents(true);
    imgSveglia->setAlignment(Qt::AlignCenter);
    // Our own drawing, a JPEG decoded by Qt's JPEG reader (libjpeg).
    imgSveglia->setPixmap(QPixmap(QStringLiteral(":/bitmaps/sveglia.jpg"), "JPEG"));

    btnChiudi->setGeometry(235, 96, 87, 32);
    btnChiudi->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    btnChiudi->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnChiudi->setAutoRaise(true);
    connect(btnChiudi, &QToolButton::clicked, this, &QWidget::close);

    // FormCreate
    const QString timeFormat = services.locale.shortTimeFormat();
    takeEntries(AVVISO_SVEGLIA, [this, &timeFormat](const REC_Avviso& entry, REC_Mess& line) {
        // An alarm clock deleted while its entry waited gives a line without text.
        if (entry.Chiave >= 0 && entry.Chiave < state.ArrSveglie.size()) {
            const REC_Sveglia& s = state.ArrSveglie[entry.Chiave];
            line.Orario = s.Orario;
            line.Testo = DayNumbers::toTime(s.Orario).toString(timeFormat) + QStringLiteral(" - ") + s.Messaggio;
        }
        line.Chiave = entry.Chiave;
        return true;
    });
}

int TfrmWarnSveglie::Testi_Lingua()
{
    const bool it = state.settings.Lingua_attuale == languageItalian();
    if (!it && state.settings.Lingua_attuale != languageEnglish())
        return 0;
    setWindowTitle(state.config.NOME_PROGRAMMA + (it ? QStringLiteral(" - Sveglia") : QStringLiteral(" - Clocks")));
    btnChiudi->setText(it ? QStringLiteral("Chiudi") : QStringLiteral("Close"));
    btnChiudi->setToolTip(it ? QStringLiteral("Chiudi questa finestra") : QStringLiteral("Close this window"));
    return 1;
}

void TfrmWarnSveglie::showWarning()
{
    if (const TColorazione* s = scheme()) {
        QPalette p = memMess->palette();
        p.setColor(QPalette::Base, QColor::fromRgb(s->ColoreGriglia));
        memMess->setPalette(p);
    }
    const int language = Testi_Lingua();
    if (language < 1)
        reportLanguage(language);
    // Several alarm clocks of one tick: every message, one line each; the
    // one sound channel plays the first one's sound.
    const qint32 first = ListaMess.isEmpty() ? -1 : ListaMess.first().Chiave;
    QStringList messages;
    for (const REC_Mess& line : std::as_const(ListaMess))
        messages.append(line.Testo);
    memMess->setPlainText(messages.join(u'\n'));
    // The focus rests on the picture, so it speaks the messages.
    memMess->setAccessibleName(windowTitle());
    pnlImmagine->setAccessibleName(messages.join(u'\n'));
    pnlImmagine->setFocus();
    const QString suono = first >= 0 && first < state.ArrSveglie.size() ? state.ArrSveglie[first].Suono : QString();
    Suona(services.sound, state.ArrSuoni, Indice_Suono_Sveglia(state.ArrSuoni, suono),
        state.settings.Suono_allarme_ripeturamente == 1, false);
    showOnTop(memMess->toPlainText());
}

bool TfrmWarnSveglie::previewKey(int key)
{
    if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    close();
    return true;
}
