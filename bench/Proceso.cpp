#include "Proceso.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace {

// A program that has not exited by then is taken to hang, and is stopped.
constexpr int EsperaMaximaMs = 60'000;

double AhoraMs()
{
    timespec ahora {};
    clock_gettime(CLOCK_MONOTONIC, &ahora);
    return double(ahora.tv_sec) * 1e3 + double(ahora.tv_nsec) / 1e6;
}

// Waits for `hijo` to exit, at most EsperaMaximaMs; a pidfd tells the exit at
// once, without polling.
void EsperarConLimite(pid_t hijo)
{
    const int pidfd = int(syscall(SYS_pidfd_open, hijo, 0));
    if (pidfd < 0)
        return;
    pollfd espera {pidfd, POLLIN, 0};
    int listo;
    do
        listo = poll(&espera, 1, EsperaMaximaMs);
    while (listo < 0 && errno == EINTR);
    if (listo == 0)
        kill(hijo, SIGKILL);
    close(pidfd);
}

// The whole of what is left in the pipe; the child has exited, so it ends.
QByteArray LeerHastaElFinal(int fd)
{
    QByteArray bytes;
    char bloque[4096];
    for (;;) {
        const ssize_t leidos = read(fd, bloque, sizeof bloque);
        if (leidos > 0)
            bytes.append(bloque, leidos);
        else if (leidos == 0 || errno != EINTR)
            return bytes;
    }
}

long PicoInformado(const QByteArray &salida)
{
    const qsizetype linea = salida.indexOf("VmHWM:");
    if (linea < 0)
        return 0;
    const qsizetype fin = salida.indexOf("kB", linea);
    return salida.mid(linea + 6, fin - linea - 6).trimmed().toLong();
}

} // namespace

Ejecucion Ejecutar(const QString &programa)
{
    Ejecucion ejecucion;
    int tuberia[2];
    if (pipe2(tuberia, O_CLOEXEC) != 0)
        return ejecucion;
    const QByteArray ruta = QFile::encodeName(programa);
    char *argumentos[] = {const_cast<char *>(ruta.constData()), nullptr};
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_adddup2(&acciones, tuberia[1], 1);
    posix_spawn_file_actions_addopen(&acciones, 2, "/dev/null", O_WRONLY, 0);

    const double inicio = AhoraMs();
    pid_t hijo = 0;
    const int error = posix_spawn(&hijo, ruta.constData(), &acciones, nullptr, argumentos, environ);
    posix_spawn_file_actions_destroy(&acciones);
    close(tuberia[1]);
    if (error == 0) {
        EsperarConLimite(hijo);
        int estado = 0;
        pid_t esperado;
        do
            esperado = waitpid(hijo, &estado, 0);
        while (esperado < 0 && errno == EINTR);
        ejecucion.ms = AhoraMs() - inicio;
        ejecucion.correcta = esperado == hijo && WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
        ejecucion.picoKiB = PicoInformado(LeerHastaElFinal(tuberia[0]));
    }
    close(tuberia[0]);
    return ejecucion;
}
