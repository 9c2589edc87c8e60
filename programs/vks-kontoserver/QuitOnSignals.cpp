#include "programs/vks-kontoserver/QuitOnSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <ostream>

namespace vks {
namespace {

int pipe_fds[2] = {-1, -1};

// Runs inside the signal: only async-signal-safe calls.
void WriteSignalNumber(int signal_number) {
  const int saved_errno = errno;
  const unsigned char number = static_cast<unsigned char>(signal_number);
  // A full pipe means a quit is on its way already.
  [[maybe_unused]] const ssize_t written = ::write(pipe_fds[1], &number, 1);
  errno = saved_errno;
}

}  // namespace

bool QuitOnSignals(std::initializer_list<int> signal_numbers, std::ostream& log) {
  if (::pipe2(pipe_fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  auto* notifier =
      new QSocketNotifier(pipe_fds[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [notifier, &log] {
    unsigned char number = 0;
    while (::read(pipe_fds[0], &number, 1) == 1) {
    }
    notifier->setEnabled(false);
    const char* name = ::sigabbrev_np(number);
    log << "SIG" << (name ? name : "?") << ": Kontoserver speichert und endet\n";
    // Not quit(): a window that asks before it closes would hold the end on a question that
    // nobody may be there to answer. Every event loop ends; main closes the account list.
    QCoreApplication::exit(0);
  });
  struct sigaction action = {};
  action.sa_handler = WriteSignalNumber;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal_number : signal_numbers) ::sigaction(signal_number, &action, nullptr);
  return true;
}

}  // namespace vks
