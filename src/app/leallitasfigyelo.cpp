#include "app/leallitasfigyelo.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace {

constexpr int kJelzesek[] = {SIGTERM, SIGHUP, SIGINT};
int g_cso[2] = {-1, -1};  // read end, write end
struct sigaction g_korabbi[std::size(kJelzesek)];

void jelzesKezelo(int jelzes)
{
    const int mentett = errno;
    const unsigned char bajt = static_cast<unsigned char>(jelzes);
    [[maybe_unused]] const ssize_t n = ::write(g_cso[1], &bajt, 1);
    errno = mentett;
}

}  // namespace

LeallitasFigyelo::LeallitasFigyelo(QObject *parent) : QObject(parent)
{
    if (g_cso[0] >= 0 || ::pipe2(g_cso, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("LeallitasFigyelo: no pipe for the signals");
        return;
    }
    m_ertesito = new QSocketNotifier(g_cso[0], QSocketNotifier::Read, this);
    connect(m_ertesito, &QSocketNotifier::activated, this, &LeallitasFigyelo::olvas);
    struct sigaction sa = {};
    sa.sa_handler = jelzesKezelo;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kJelzesek); ++i)
        ::sigaction(kJelzesek[i], &sa, &g_korabbi[i]);
}

LeallitasFigyelo::~LeallitasFigyelo()
{
    if (!m_ertesito)
        return;
    for (size_t i = 0; i < std::size(kJelzesek); ++i)
        ::sigaction(kJelzesek[i], &g_korabbi[i], nullptr);
    delete m_ertesito;
    ::close(g_cso[0]);
    ::close(g_cso[1]);
    g_cso[0] = g_cso[1] = -1;
}

void LeallitasFigyelo::olvas()
{
    // Several signals at once ask for one ending.
    unsigned char bajt = 0;
    int utolso = 0;
    while (::read(g_cso[0], &bajt, 1) == 1)
        utolso = bajt;
    if (utolso != 0)
        Q_EMIT leallitasKerve(utolso);
}
