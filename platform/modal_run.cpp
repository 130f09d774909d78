#include "modal_run.h"

#include <QDialog>
#include <utility>

namespace platform {
namespace {

ModalRunPort* g_port = nullptr;

}  // namespace

ModalRunPort* SetModalRunPort(ModalRunPort* port) { return std::exchange(g_port, port); }

int RunModal(QDialog& dialog) { return g_port ? g_port->Run(dialog) : dialog.exec(); }

}  // namespace platform
