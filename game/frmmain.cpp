#include "game/frmmain.h"

#include "about/frmabout.h"
#include "platform/timer.h"

frmMain::frmMain(Services &services, QWidget *parent)
    : QWidget(parent),
      services(services),
      zeitTimer(services.timers.createTimer()),
      ändernTimer(services.timers.createTimer()),
      verschwindenTimer(services.timers.createTimer())
{
    buildControls();
    connectHandlers();
}

frmMain::~frmMain() = default;

void frmMain::cmdInfo_Click()
{
    frmAbout about(services.dialogs, services.registry, services.launcher, this);
    about.exec();
}
