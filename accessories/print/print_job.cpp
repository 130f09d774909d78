#include "print_job.h"

#include "calendar_rules.h"
#include "cp932.h"
#include "message_box.h"
#include "print_dialog.h"

using namespace foundation;

namespace accessories {

namespace {

void SayPrintCannotStart() {
    platform::MessageDlg(QStringLiteral("印刷を開始できません。"), platform::MsgKind::Error,
                         {platform::kBtnOk});
}

}  // namespace

QString PrintFontFamily() { return QStringLiteral("ＭＳ Ｐゴシック"); }

platform::CanvasFont PrintFont(int pointSize, bool bold, bool italic) {
    return {PrintFontFamily(), pointSize, bold, italic};
}

int MmToDots(double scale, double mm) { return static_cast<int>(scale * mm); }

std::string PrintDateStamp(bool wareki) {
    std::string text;
    FormatDateTimeSafe(wareki ? "ge/m/d" : "yyyy/m/d", text, Date());
    return text + Sj(" 現在");
}

bool StartPrint(platform::PrintCanvas& canvas) {
    if (canvas.BeginDoc()) return true;
    SayPrintCannotStart();
    return false;
}

void RunPrintJob(QWidget* parent, const std::function<void(platform::PrintCanvas&)>& print) {
    // Without the system's printing no printer can be asked for.
    if (!platform::PrintOnPrinter(parent, print)) SayPrintCannotStart();
}

}  // namespace accessories
