#include "MainFormTestSupport.h"
#include "app/TableForm.h"
#include "app/FanForm.h"
#include "reports/PreviewForm.h"
#include <QAction>
#include <QFile>
using namespace apptest;
TEST(Shots, Take)
{
    TProgram P;
    P.Main().resize(1100, 750);
    P.Main().ActionCalcFlow->trigger();
    QTest::keyClick(&P.Main(), Qt::Key_F9);
    P.Main().grab().save("/tmp/shot_main.png");
    P.Main().ActionTable->setChecked(true);
    P.Main().ActionTable->trigger();
    P.Main().TableForm->grab().save("/tmp/shot_table.png");
    P.Main().ActionFanPressure->trigger();
    P.Main().FanForm->grab().save("/tmp/shot_fan.png");
    P.Services.Modal = [&](QDialog& D) { D.resize(900, 900); D.show(); QTest::qWait(50); D.grab().save("/tmp/shot_preview.png"); return int(mrOk); };
    P.Main().ActionPrintReport->trigger();
}
TEST(Shots, Diag)
{
    TProgram P;
    QTest::keyClick(&P.Main(), Qt::Key_F9);
    P.Main().WriteDiagnosticPage();
    QFile::remove("/tmp/shot_drawnet.gif");
    QFile::copy(P.Dir.path() + "/data/drawnet.gif", "/tmp/shot_drawnet.gif");
    QImage(P.Dir.path() + "/data/drawnet.gif").save("/tmp/shot_drawnet.png");
    QFile::remove("/tmp/shot_diag.htm");
    QFile::copy(P.Dir.path() + "/data/diagnostic.htm", "/tmp/shot_diag.htm");
}
