#pragma once

#include "game/services.h"
#include "platform/timer.h"

#include <QLabel>
#include <QWidget>

#include <memory>

class LineWidget;
class QGroupBox;
class QListWidget;
class QPushButton;

// The game's window: the playing field on the left, the read-outs and buttons on the right.
// It holds the state of the current game; its handlers run one at a time on the UI thread.
class frmMain final : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(Services &services, QWidget *parent = nullptr);
    ~frmMain() override;

    static constexpr int targetCount = 17;

    // The state of the current game, all 0 until the first start or load.
    qint16 Zeit = 0;         // seconds left
    qint16 Treffer = 0;      // presses on targets
    qint16 Punkte = 0;       // score
    qint16 Gegner = 0;       // index of the target shown last
    qint16 GegnerLinks = 0;  // its position in twips
    qint16 GegnerOben = 0;

    // Event handlers; connected to their controls and timers, public so that they can be driven directly.
    void cmdStart_Click();
    void tmrÄndern_Timer();
    void tmrVerschwinden_Timer();
    void tmrZeit_Timer();
    void imgGegner_MouseDown(qint16 index);
    void cmdEnde_Click();
    void cmdSpeichern_Click();
    void cmdLaden_Click();
    void cmdInfo_Click();

    // The controls, named as in the window's table, lblErklärung(2) as lblErklärung[2]; front to back.
    // The window owns them; each is set once, as the window is made.
    QPushButton *cmdStart = nullptr;
    QPushButton *cmdInfo = nullptr;
    QPushButton *cmdLaden = nullptr;
    QLabel *lblHaha[3] = {};
    QLabel *lblZeit = nullptr;
    QLabel *lblTreffer = nullptr;
    QLabel *lblPunkte = nullptr;
    QPushButton *cmdEnde = nullptr;
    QGroupBox *fraGame = nullptr;
    QPushButton *cmdSpeichern = nullptr;
    QListWidget *filLaden = nullptr;
    QGroupBox *fraEinstellungen = nullptr;
    QLabel *lblSuper = nullptr;
    QLabel *imgWinner = nullptr;
    QLabel *lblBesser = nullptr;
    QLabel *imgLoser = nullptr;
    LineWidget *Line2 = nullptr;
    LineWidget *Line1 = nullptr;
    QLabel *lblInformation = nullptr;
    QLabel *lblErklärung[4] = {};
    QLabel *imgGegner[targetCount] = {};
    QLabel *imgBackground = nullptr;

    Timer &tmrZeit() const { return *zeitTimer; }
    Timer &tmrÄndern() const { return *ändernTimer; }
    Timer &tmrVerschwinden() const { return *verschwindenTimer; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void takeControls();
    void connectHandlers();
    void fillFileList();
    void SpielEnde();
    void setCountdownColour(const QColor &colour);
    void startTimers();
    bool loadSavedGame(const QByteArray &localPath, const QString &shownPath);

    Services &services;
    std::unique_ptr<Timer> zeitTimer;
    std::unique_ptr<Timer> ändernTimer;
    std::unique_ptr<Timer> verschwindenTimer;
    QString savedGamesFolder;
    QByteArray localSavedGamesFolder;  // the same as the system names it
    // Where a list entry keeps its name's bytes, which open it even when its text cannot.
    static constexpr int localNameRole = Qt::UserRole;
};
