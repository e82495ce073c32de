#include "dialogs/FMessaggioTrayIcon.h"

#include "dialogs/EmailNoticeCore.h"
#include "memolist/TestiReminder.h"
#include "platform/MessageBoxes.h"
#include "state/AppState.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
        QStringLiteral("Nimbus Sans"), QStringLiteral("Arimo")});
    font.setPixelSize(11);
    return font;
}

QPixmap sharpScaled(const QPixmap& picture, const QSize& box, qreal ratio)
{
    QPixmap scaled = picture.scaled(box * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

TfrmMessaggioTrayIcon::TfrmMessaggioTrayIcon(AppState& appState, MessageBoxes& boxes)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , imgSveglia(new QLabel(this))
    , lblMess(new QLabel(this))
    , chkMess(new QCheckBox(this))
    , btnChiudi(new QToolButton(this))
    , pnlFocus(new QWidget(this))
    , state(appState)
{
    setObjectName(QStringLiteral("frmMessaggioTrayIcon"));
    setFixedSize(360, 76);
    setFont(dialogFont());

    imgSveglia->setGeometry(12, 6, 32, 32);
    imgSveglia->setAlignment(Qt::AlignCenter);
    imgSveglia->setPixmap(
        sharpScaled(QPixmap(QStringLiteral(":/bitmaps/sveglia.jpg"), "JPEG"), imgSveglia->size(), devicePixelRatioF()));
    lblMess->setGeometry(58, 6, 300, 43);
    lblMess->setWordWrap(true);
    lblMess->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    chkMess->setGeometry(59, 50, 219, 17);

    btnChiudi->setGeometry(291, 46, 65, 27);
    btnChiudi->setText(QStringLiteral("OK"));
    btnChiudi->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    btnChiudi->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnChiudi->setFocusPolicy(Qt::NoFocus);
    connect(btnChiudi, &QToolButton::clicked, this, &QWidget::close);

    // Takes the focus, so that a key cannot tick the box unseen.
    pnlFocus->setGeometry(4, 50, 25, 13);
    pnlFocus->setFocusPolicy(Qt::StrongFocus);

    const int language = Testi_Lingua();
    if (language < 1) {
        boxes.Errore(languageErrorText(language, state.settings.Lingua_attuale));
        QCoreApplication::exit(1);
    }
}

int TfrmMessaggioTrayIcon::Testi_Lingua()
{
    TestiMessaggioTrayIcon texts;
    if (Testi_MessaggioTrayIcon(state.settings.Lingua_attuale, state.config.NOME_PROGRAMMA, texts) < 1)
        return 0;
    setWindowTitle(texts.caption);
    lblMess->setText(texts.lblMess);
    chkMess->setText(texts.chkMess);
    return 1;
}

void TfrmMessaggioTrayIcon::showEvent(QShowEvent* event)
{
    chkMess->setChecked(state.settings.Vis_mess_trayicon == 1);
    QWidget::showEvent(event);
    pnlFocus->setFocus();
}

void TfrmMessaggioTrayIcon::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void TfrmMessaggioTrayIcon::closeEvent(QCloseEvent* event)
{
    // OK, Esc and the close box all come here.
    const qint32 value = chkMess->isChecked() ? 1 : 0;
    if (value != state.settings.Vis_mess_trayicon) {
        state.settings.Vis_mess_trayicon = value;
        state.settingsPending = true; // kept even if the session ends before the next exit
    }
    event->accept();
}
