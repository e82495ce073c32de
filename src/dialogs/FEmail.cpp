#include "dialogs/FEmail.h"

#include "controls/HighlightLabel.h"
#include "dialogs/EmailNoticeCore.h"
#include "dialogs/FMessaggioTrayIcon.h"
#include "memolist/TestiReminder.h"
#include "platform/MessageBoxes.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "state/AppState.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>

namespace {
const QColor navy(0, 0, 128);
} // namespace

TfrmEmail::TfrmEmail(AppState& appState, Services& appServices, const QPixmap& envelope, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , imgSplash(new QLabel(this))
    , lblTitolo(new QLabel(this))
    , Memo(new QPlainTextEdit(this))
    , hglInviaEMail(new THighlightLabel(this))
    , imgChiuso(new QLabel(this))
    , btnChiudi(new QToolButton(this))
    , pnlFocus(new QWidget(this))
    , state(appState)
    , services(appServices)
{
    setObjectName(QStringLiteral("frmEmail"));
    setWindowTitle(QStringLiteral("E-mail"));
    // Modal to the main window only: a warning that falls due meanwhile can be answered at once.
    setWindowModality(Qt::WindowModal);
    setFixedSize(381, 160);
    setFont(dialogFont());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    imgSplash->setGeometry(8, 8, 145, 101);
    imgSplash->setAlignment(Qt::AlignCenter);
    QPixmap logo;
    const QByteArray& picture = state.config.logoPicture;
    if (logo.loadFromData(picture, pictureFormat(picture)))
        imgSplash->setPixmap(sharpScaled(logo, imgSplash->size(), devicePixelRatioF()));

    QPalette navyText = white;
    navyText.setColor(QPalette::WindowText, navy);
    navyText.setColor(QPalette::Text, navy);
    lblTitolo->setGeometry(162, 6, 213, 16);
    QFont bold = lblTitolo->font();
    bold.setBold(true);
    lblTitolo->setFont(bold);
    lblTitolo->setPalette(navyText);

    Memo->setGeometry(162, 25, 215, 95);
    Memo->document()->setDocumentMargin(0);
    Memo->setReadOnly(true);
    Memo->setFrameShape(QFrame::NoFrame);
    Memo->setPalette(navyText);
    Memo->setFocusPolicy(Qt::NoFocus);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    imgChiuso->setGeometry(162, 128, 18, 18);
    imgChiuso->setAlignment(Qt::AlignCenter);
    imgChiuso->setPixmap(envelope);
    hglInviaEMail->setGeometry(184, 122, 191, 30);
    QFont link = bold;
    link.setUnderline(true);
    link.setPixelSize(16);
    hglInviaEMail->setFont(link);
    hglInviaEMail->setFontColor(QColor(0, 0, 255));
    hglInviaEMail->HighlightColor = QColor(255, 0, 0);
    hglInviaEMail->setCursor(Qt::PointingHandCursor);
    hglInviaEMail->OnClick = [this](THighlightLabel*) { hglInviaEMailClick(); };

    btnChiudi->setGeometry(40, 124, 80, 26);
    btnChiudi->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    btnChiudi->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnChiudi->setAutoRaise(true);
    btnChiudi->setFocusPolicy(Qt::NoFocus);
    connect(btnChiudi, &QToolButton::clicked, this, &QWidget::close);

    // Holds the focus, so that no text of the invitation starts selected.
    pnlFocus->setGeometry(0, 0, 1, 1);
    pnlFocus->setFocusPolicy(Qt::StrongFocus);
}

int TfrmEmail::Testi_Lingua()
{
    TestiEmail texts;
    if (Testi_Email(state.settings.Lingua_attuale, state.config.LINK_E_MAIL, texts) < 1)
        return 0;
    lblTitolo->setText(texts.lblTitolo);
    btnChiudi->setText(texts.btnChiudi);
    Memo->setPlainText(texts.Memo.join(u'\n'));
    hglInviaEMail->setText(texts.hglInviaEMail);
    TestoEmail = texts.TestoEmail;
    return 1;
}

void TfrmEmail::showEvent(QShowEvent* event)
{
    const int language = Testi_Lingua();
    if (language < 1) {
        services.boxes.Errore(languageErrorText(language, state.settings.Lingua_attuale));
        QCoreApplication::exit(1);
    }
    QDialog::showEvent(event);
    pnlFocus->setFocus();
}

void TfrmEmail::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        close();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TfrmEmail::hglInviaEMailClick()
{
    // Closed also after a failure: the box says what went wrong.
    Invia_Email(services.mailer, services.boxes, {QString(), state.config.OGGETTO_EMAIL, TestoEmail, QString()},
        state.settings.Lingua_attuale);
    close();
}
