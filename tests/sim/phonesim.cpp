// Runs the simulated phone standalone: prints the device and a stable link to it, so that the
// program can be started against it, and serves until SIGINT or SIGTERM.
#include "sim/SimDatenobjekte.h"
#include "sim/SimEinstellungen.h"
#include "sim/SimHandy.h"
#include "sim/SimKlingel.h"
#include "sim/SimNachrichten.h"
#include "sim/SimTelefonbuch.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int Gebrauch()
{
    std::fprintf(stderr, "usage: phonesim [--link PATH] [--model S25|S35]\n");
    return 2;
}

// Only replaces a symlink: a real file at that path is none of our business.
bool Link_Anlegen(const std::string& link, const std::string& ziel)
{
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "phonesim: %s exists and is no symlink\n", link.c_str());
            return false;
        }
        unlink(link.c_str());
    }
    if (symlink(ziel.c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "phonesim: symlink %s: %s\n", link.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string link = "/tmp/orx-phone";
    std::string modell = "S35";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--link" && i + 1 < argc)
            link = argv[++i];
        else if (arg == "--model" && i + 1 < argc)
            modell = argv[++i];
        else
            return Gebrauch();
    }
    if (modell != "S25" && modell != "S35")
        return Gebrauch();

    // Blocked before the simulator's thread starts, so that only sigwait below sees them.
    sigset_t signale;
    sigemptyset(&signale);
    sigaddset(&signale, SIGINT);
    sigaddset(&signale, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signale, nullptr);

    try {
        sim::SimHandy handy;
        handy.Mit_Zustand([&](sim::SimHandy& h) { h.Modell = modell; });
        sim::Telefonbuch_Anmelden(handy, true);
        sim::Einstellungen_Anmelden(handy);
        sim::Datenobjekte_Anmelden(handy, true);
        sim::Klingel_Anmelden(handy);
        sim::Nachrichten_Anmelden(handy, true);
        if (!Link_Anlegen(link, handy.Geraet()))
            return 1;
        std::printf("device %s\nlink %s\n", handy.Geraet().c_str(), link.c_str());
        std::fflush(stdout);

        int signal = 0;
        sigwait(&signale, &signal);

        // Another phonesim may have taken the link over meanwhile.
        char ziel[256];
        const ssize_t n = readlink(link.c_str(), ziel, sizeof ziel - 1);
        if (n > 0 && std::string(ziel, static_cast<std::size_t>(n)) == handy.Geraet())
            unlink(link.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "phonesim: %s\n", e.what());
        return 1;
    }
    return 0;
}
