#pragma once

#include "memolist/MemoCommands.h"

#include <QAbstractButton>
#include <QDate>
#include <QPixmap>
#include <QWidget>

#include <functional>

struct AppState;
struct Services;
struct MemoPictures;
struct TestiReminder;
class MemoGrid;
class QFrame;
class QKeyEvent;
class QToolButton;
class TA_DBStringGrid;
class THighlightLabel;

// A picture that acts on a left-button press, as the icon bar's images do.
// It is a push button to the keyboard (Tab reaches it, Space or Enter
// press it) and to screen readers, named by its hint.
class IconLabel : public QAbstractButton {
    Q_OBJECT
public:
    explicit IconLabel(QWidget* parent = nullptr);
    std::function<void()> onPress;

    void setPixmap(const QPixmap& picture);
    QPixmap pixmap() const
    {
        return m_picture;
    }
    QSize sizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

// pnlGen: the icon bar, the memo grid, the move buttons, the link and the
// size and stay-on-top icons. It maps clicks and keys onto the memo
// commands; the window's sizes and banner are MemoListLayout's.
class MemoListPanel : public QWidget {
    Q_OBJECT
public:
    // The icon bar pnlIcone comes first: the grid colours it with the scheme.
    QWidget* const pnlIcone;

    MemoListPanel(AppState& state, Services& services, const TestiReminder& texts, const MemoPictures& pictures,
        QWidget* parent = nullptr);

    MemoGrid& memoGrid();
    MemoCommands& commands();

    // The window's keys, seen before the focused control (key preview).
    // True when the key was used up.
    bool windowKey(QKeyEvent* event);
    // Hints in the current language.
    void applyTexts();

    void Nuovo_Memo();
    void Cancella_Memo();
    void Sposta_Memo(int kind);
    void sortByDate();
    void Apri_Sveglie();
    void Apri_Opzioni();
    void Apri_Email();
    void help();
    void Chiudi_Editor();
    // An open cell editor closes and its text goes to the memo; nothing else
    // moves. For the window's ways out: hiding, closing, the session's end.
    void commitEditor();
    void Aggiorna_Pulsanti();

    // The date picker, shown modally over the window with the memo's date;
    // false when it was cancelled. Unset: no picker yet, the date stays.
    std::function<bool(QDate& date)> datePicker;

    IconLabel* imgNuovo;
    IconLabel* imgCancella;
    IconLabel* imgSort;
    IconLabel* imgSveglie;
    IconLabel* imgProprieta;
    IconLabel* imgMail;
    IconLabel* imgHelp;
    QToolButton* btnSuTutto;
    QToolButton* btnGiuTutto;
    QToolButton* btnSuUno;
    QToolButton* btnGiuUno;
    THighlightLabel* hglLink;
    IconLabel* imgNormal;
    IconLabel* imgTopMost;
    IconLabel* imgConBanner;
    IconLabel* imgSenzaBanner;
    QFrame* bvlBanner;

signals:
    // Windows of other parts; the commands have closed the editor already.
    void sveglieRequested();
    void opzioniRequested();
    void emailRequested();
    // F11 and the size icons.
    void sizeToggleRequested();
    // The stay-on-top icons.
    void stayOnTopToggleRequested();
    void linkClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void wireGrid();
    IconLabel* icon(QWidget* parent, const QPixmap& picture, int x, int y, const std::function<void()>& press);
    QToolButton* moveButton(const QPixmap& picture, int kind);
    void dbsgMemoMouseDown(int x, int y);
    void dbsgMemoKeyDown(int& key, Qt::KeyboardModifiers mods = Qt::NoModifier);
    // Space, Ctrl+Up/Down and Alt+Down on a cell do what a click does; true when used.
    bool cellKey(int key, Qt::KeyboardModifiers mods);
    void pickDate(int row);
    void setTypedText(int col, int row, const QString& text);
    bool schemeKey(const QKeyEvent* event);

    AppState& state;
    Services& services;
    const TestiReminder& texts;
    const MemoPictures& pictures;
    MemoGrid* grid; // before m_commands, which keeps its RigaCorrente
    TA_DBStringGrid* dbsgMemo;
    MemoCommands m_commands;
};
