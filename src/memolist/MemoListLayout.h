#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>

struct AppState;
struct Services;
class MemoListPanel;
class QLabel;
class QWidget;

// The main window's two sizes (compact, or with the banner below the memo
// list), the stay-on-top switch, the link, the size limits and the place
// the window opens at. It builds the window's client area: pnlGen above,
// pnlBanner below.
class MemoListLayout : public QObject {
    Q_OBJECT
public:
    MemoListLayout(AppState& state, Services& services, QWidget* window, MemoListPanel* pnlGen);

    // The client area holding pnlGen and pnlBanner, for the window to take.
    QWidget* client() const
    {
        return m_client;
    }

    void Applica_Banner(bool resize);
    void Applica_Link();
    void Alterna_Dimensione();
    void Applica_Primo_Piano();
    // Without a saved position the window opens centred on the screen; a
    // saved one is the main window's to restore.
    void Applica_Posizione();
    // The first show: the saved size within the limits, the forced banner,
    // then the banner.
    void applyStartingSize();
    // FormCanResize, as a minimum size of the window.
    void applyLimits();

    // The height of pnlGen, which is what is saved as Height_pnlGen.
    int pnlGenHeight() const;
    bool bannerShown() const
    {
        return m_bannerShown;
    }

    QString IndirizzoLink;
    QWidget* pnlBanner;
    QLabel* imgBanner;

private:
    void placeParts();
    QSize frame() const;

    AppState& state;
    Services& services;
    QWidget* window;
    MemoListPanel* pnlGen;
    QWidget* m_client;
    bool m_bannerShown = false;
};
