#include "Proceso.h"

#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace {

double AhoraMs()
{
    timespec ahora {};
    clock_gettime(CLOCK_MONOTONIC, &ahora);
    return double(ahora.tv_sec) * 1e3 + double(ahora.tv_nsec) / 1e6;
}

// A program that has not exited by then is taken to hang, and is stopped.
constexpr int EsperaMaximaMs = 60'000;

// Waits for `hijo` to exit, at most EsperaMaximaMs; a pidfd tells the exit at
// once, without polling.
void EsperarConLimite(pid_t hijo)
{
    const int pidfd = int(syscall(SYS_pidfd_open, hijo, 0));
    if (pidfd < 0)
        return;
    pollfd espera{pidfd, POLLIN, 0};
    int listo;
    do
        listo = poll(&espera, 1, EsperaMaximaMs);
    while (listo < 0 && errno == EINTR);
    if (listo == 0)
        kill(hijo, SIGKILL);
    close(pidfd);
}

} // namespace

Ejecucion Ejecutar(const QString &programa)
{
    const QByteArray ruta = QFile::encodeName(programa);
    char *argumentos[] = {const_cast<char *>(ruta.constData()), nullptr};
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_addopen(&acciones, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&acciones, 2, "/dev/null", O_WRONLY, 0);

    Ejecucion ejecucion;
    const double inicio = AhoraMs();
    pid_t hijo = 0;
    const int error
        = posix_spawn(&hijo, ruta.constData(), &acciones, nullptr, argumentos, environ);
    posix_spawn_file_actions_destroy(&acciones);
    if (error != 0)
        return ejecucion;
    EsperarConLimite(hijo);
    int estado = 0;
    rusage uso {};
    pid_t esperado;
    do
        esperado = wait4(hijo, &estado, 0, &uso);
    while (esperado < 0 && errno == EINTR);
    ejecucion.ms = AhoraMs() - inicio;
    ejecucion.picoKiB = uso.ru_maxrss;
    ejecucion.correcta = esperado == hijo && WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
    return ejecucion;
}
