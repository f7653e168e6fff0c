// The dialogue at a real (pseudo-)terminal: answers are echoed on the prompt's
// line and the next record starts on the following line.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/program.hpp"
#include "tests/support/terminal.hpp"

namespace tamboril::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines head(std::string_view name, std::string_view n, std::string_view m) {
    Lines lines = {
        "Ingresar(mayusculas) el nombre, URN** ,del Generador deseado para obtener el   ",
        "archivo ARCHURN** de Numeros Pseudoaleatorios" + std::string(name),
        std::string(name),
    };
    lines.insert(lines.end(), kBanner.begin(), kBanner.end());
    lines.push_back("");
    lines.push_back("Ingrese la cantidad de Numeros Pseudoaleatorios que desea generar en cada      ");
    lines.push_back("sucesion (<=10 mil)" + std::string(n));
    lines.push_back("Entre la cantidad de sucesiones (<= 1 mil)" + std::string(m));
    return lines;
}

void answer_counts(TerminalRun& term, std::string_view name, std::string_view n,
                   std::string_view m) {
    ASSERT_TRUE(term.wait_for("Pseudoaleatorios"));
    term.type(std::string(name) + "\n");
    ASSERT_TRUE(term.wait_for("(<=10 mil)"));
    term.type(std::string(n) + "\n");
    ASSERT_TRUE(term.wait_for("(<= 1 mil)"));
    term.type(std::string(m) + "\n");
}

TEST(Terminal, NormalRunWithACommandAtThePause) {
    const auto dir = make_temp_dir();
    TerminalRun term(dir);
    answer_counts(term, "URN10", "2", "1");
    ASSERT_TRUE(term.wait_for("DOS command."));
    // The program waits for the command before it ends.
    term.type("sleep 1; echo waited > pause.txt\n");
    EXPECT_EQ(term.finish(), 0);
    EXPECT_EQ(read_file(dir / "pause.txt"), "waited\n");

    Lines expected = head("URN10", "2", "1");
    const Lines rest = {
        "        IX=          1",
        "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO SIGUIENTE A LOS          2",
        "YA GENERADOS) ES",
        "        IX=       7433",
        "",
        "",
        "LA EJECUCION HA FINALIZADO",
        "",
        "EL ARCHIVO:ARCHURN10   CONTIENE EL TOTAL DE NUMEROS PSEUDOALEATORIOS GENERADOS",
        "",
        "Pause - Please enter a blank line (to continue) or a DOS command.",
        "sleep 1; echo waited > pause.txt",
        "",
        "",
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(term.screen(), expected);
    EXPECT_EQ(read_file(dir / "ARCHURN10"), crlf({".0152587891", ".9073486328"}));
}

TEST(Terminal, UnknownName) {
    const auto dir = make_temp_dir();
    TerminalRun term(dir);
    ASSERT_TRUE(term.wait_for("Pseudoaleatorios"));
    term.type("URN1\n");
    EXPECT_EQ(term.finish(), 0);
    Lines expected = {
        "Ingresar(mayusculas) el nombre, URN** ,del Generador deseado para obtener el   ",
        "archivo ARCHURN** de Numeros PseudoaleatoriosURN1",
        "URN1 ",
    };
    expected.insert(expected.end(), kBanner.begin(), kBanner.end());
    for (const char* line : {"ERROR DE TECLEO EN EL NOMBRE DE URN**,RECOMENZAR",
                             "Stop - Program terminated.", "", ""}) {
        expected.emplace_back(line);
    }
    EXPECT_EQ(term.screen(), expected);
}

TEST(Terminal, NotImplemented) {
    const auto dir = make_temp_dir();
    TerminalRun term(dir);
    answer_counts(term, "URN25", "10", "2");
    ASSERT_TRUE(term.wait_for("DOS command."));
    term.type("\n");
    EXPECT_EQ(term.finish(), 0);
    Lines expected = head("URN25", "10", "2");
    for (const char* line : {"EL GENERADOR:URN25    NO ESTA IMPLEMENTADO EN TAMBORIL2",
                             "Pause - Please enter a blank line (to continue) or a DOS command.",
                             "", "", "Stop - Program terminated.", "", ""}) {
        expected.emplace_back(line);
    }
    EXPECT_EQ(term.screen(), expected);
}

}  // namespace
}  // namespace tamboril::testing
