#pragma once

#include <QDialog>

struct AppState;
class QLabel;
class QPlainTextEdit;
class QToolButton;
class THighlightLabel;
struct Services;

// The recommend-by-mail window: an invitation and a link that hands a ready
// mail with the download address to the user's mail program.
class TfrmEmail : public QDialog {
    Q_OBJECT
public:
    // envelope: the small picture beside the link.
    TfrmEmail(AppState& state, Services& services, const QPixmap& envelope, QWidget* parent = nullptr);

    // The window's texts for Lingua_attuale; 0 for a language it does not know.
    int Testi_Lingua();
    void hglInviaEMailClick();

    QLabel* imgSplash;
    QLabel* lblTitolo;
    QPlainTextEdit* Memo;
    THighlightLabel* hglInviaEMail;
    QLabel* imgChiuso;
    QToolButton* btnChiudi;
    QWidget* pnlFocus;
    QString TestoEmail; // the body of the mail

protected:
    void showEvent(QShowEvent* event) override; // FormShow
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppState& state;
    Services& services;
};
