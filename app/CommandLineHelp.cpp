#include "app/CommandLineHelp.h"

#include <cstring>

#ifndef QUELMAR_VERSION
#error "QUELMAR_VERSION is set by the build from the project's version"
#endif

const char* usageText() {
    return "Uso: contabiliza-contado [SERVIDOR USUARIO CLAVE COMPAÑÍA]\n"
           "     contabiliza-contado --help | --version\n"
           "\n"
           "Contabiliza las ventas diarias de contado de un punto de venta en la base de\n"
           "datos de una compañía. Sin argumentos abre la ventana; con los cuatro\n"
           "argumentos contabiliza el día de hoy sin preguntar nada y termina (ejecución\n"
           "desatendida, la de un programador de tareas).\n"
           "\n"
           "Argumentos:\n"
           "  SERVIDOR  una línea de SERVIDORES.cfg: la carpeta de las empresas en este\n"
           "            equipo, o servidor:/carpeta en un servidor Firebird\n"
           "  USUARIO   el usuario de la base de datos\n"
           "  CLAVE     su clave; \"-\" la lee de la primera línea de la entrada estándar\n"
           "            (sin el fin de línea; una línea vacía o ausente es una clave vacía).\n"
           "            Una clave dada aquí se borra de la lista de argumentos del proceso\n"
           "            en cuanto se lee\n"
           "  COMPAÑÍA  el código de la compañía; su base de datos es\n"
           "            SERVIDOR/datos/COMPAÑÍA/quelmar.fdb\n"
           "\n"
           "Opciones:\n"
           "  -h, --help  muestra esta ayuda y termina\n"
           "  --version   muestra el nombre y la versión del programa y termina\n"
           "\n"
           "Estado de salida:\n"
           "  0  la contabilización devolvió filas (o la ventana se cerró sin contabilizar)\n"
           "  1  la contabilización no devolvió ninguna fila\n"
           "     (\"No se pudo contabilizar las facturas.\")\n"
           "  2  la ejecución se detuvo antes del resultado de la contabilización:\n"
           "     argumentos que faltan, un servidor que no está en la lista, usuario o\n"
           "     clave vacíos, una conexión fallida, un bloqueo de más de 30 s, un\n"
           "     servidor que no responde en 30 s, o una señal SIGTERM, SIGINT o SIGHUP\n"
           "  3  la contabilización devolvió filas, pero antes falló el guardado de los\n"
           "     ajustes del día\n"
           "\n"
           "Archivos:\n"
           "  Tandeo/QuelmarERP2026.conf  en la primera carpeta de XDG_CONFIG_DIRS\n"
           "                (/etc/xdg si no está definida); su valor Directorio es la\n"
           "                carpeta de instalación de la suite. Lo escribe el instalador de\n"
           "                la suite, nunca este programa\n"
           "  SERVIDORES.cfg  en la carpeta de instalación: los servidores, uno por línea\n"
           "  ERRORES.TXT     en la carpeta de instalación: el registro de errores\n"
           "\n"
           "Sin pantalla (ni DISPLAY ni WAYLAND_DISPLAY) cada mensaje se escribe en la\n"
           "salida de errores como una línea. Véase contabiliza-contado(1).\n";
}

const char* versionLine() {
    return "contabiliza-contado " QUELMAR_VERSION "\n";
}

std::optional<int> answerInformationalArguments(int argc, const char* const* argv, std::FILE* out) {
    if (argc != 2) return std::nullopt;
    const char* argument = argv[1];
    if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0)
        std::fputs(usageText(), out);
    else if (std::strcmp(argument, "--version") == 0)
        std::fputs(versionLine(), out);
    else
        return std::nullopt;
    // A closed or full standard output must not pass for a printed answer.
    return std::fflush(out) == 0 && !std::ferror(out) ? 0 : 2;
}
