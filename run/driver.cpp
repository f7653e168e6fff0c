#include "run/driver.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "generators/catalogue.hpp"
#include "generators/protocol.hpp"
#include "records/datafile.hpp"
#include "records/message_text.hpp"
#include "records/standard_streams.hpp"
#include "records/template.hpp"

namespace tamboril::run {

namespace {

using records::Console;
using records::Template;

constexpr std::string_view kNamePrompt =
    "Ingresar(mayusculas) el nombre, URN** ,del Generador deseado para obtener el   "
    "archivo ARCHURN** de Numeros Pseudoaleatorios";
constexpr std::string_view kTypingError = "ERROR DE TECLEO EN EL NOMBRE DE URN**,RECOMENZAR";
constexpr std::string_view kCountPrompt =
    "Ingrese la cantidad de Numeros Pseudoaleatorios que desea generar en cada      "
    "sucesion (<=10 mil)";
constexpr std::string_view kSequencesPrompt = "Entre la cantidad de sucesiones (<= 1 mil)";
constexpr std::string_view kPauseText =
    "Pause - Please enter a blank line (to continue) or a DOS command.\r\n";
constexpr std::string_view kStopText = "Stop - Program terminated.\r\n";
// Characters of the pause answer that count.
constexpr std::size_t kPauseLineKept = 128;

const Template& echo_format() {
    static const Template t("(1X,A5)");
    return t;
}

void print_banner(Console& console) {
    static const Template stars(
        "(1X,'*****************************************************************************')");
    static const Template line2(
        "(1X,'*',2X,'LAS SIGUIENTES SALIDAS HAN SIDO PRODUCIDAS POR EL SISTEMA: \" TAMBORIL \"',"
        "2X,'*')");
    static const Template line3(
        "(1X,'*',2X,'EL PAQUETE ESTA CONSTITUIDO POR RUTINAS PARA LA GENERACION DE NUMEROS    ',"
        "'*')");
    static const Template line4("(1X,'*',2X,'PSEUDOALEATORIOS EN MICROCOMPUTADORES ',35X,'*  ')");
    console.write(stars, {});
    console.write(line2, {});
    console.write(line3, {});
    console.write(line4, {});
    console.write(stars, {});
}

// Pause step: a trimmed answer of two or more characters runs as a command.
void pause(Console& console) {
    console.end_line();
    console.write_text(kPauseText);
    const auto line = console.read_pause_line();
    if (!line) return;  // end of input counts as a blank line
    std::string command = line->substr(0, kPauseLineKept);
    while (!command.empty() && (command.back() == ' ' || command.back() == '\t')) {
        command.pop_back();
    }
    if (command.size() >= 2) {
        console.flush();
        std::fflush(nullptr);
        // The command goes on reading the input from the line after this
        // one, where the input can be repositioned.
        if (const int error = console.give_back_input(); error != 0) {
            throw records::InputError(std::string("cannot reposition the console input: ") +
                                      std::strerror(error));
        }
        (void)std::system(command.c_str());
    }
}

// Stop step.
int stop(Console& console) {
    console.end_line();
    console.write_text(kStopText);
    console.finish();
    return kExitNormal;
}

// Writes each block of samples to the data file as it is generated.
class DataSink final : public generators::SampleSink {
public:
    explicit DataSink(records::DataFile& file) : file_(file) {}
    void put(std::span<const float> samples) override { file_.write_samples(samples); }

private:
    records::DataFile& file_;
};

int dialogue(Console& console) {
    console.write_free(kNamePrompt);
    const std::string name = console.read_name() + "   ";
    console.write(echo_format(), {std::string_view(name)});

    records::DataFile data(data_file_name(name));
    // Before console text goes out, the records generated so far go to the
    // data file: should the console be a pipe that is closed, the process ends
    // on that write with the data file complete up to it.
    struct WriteDataFirst {
        Console& console;
        ~WriteDataFirst() { console.set_before_write(nullptr); }
    } write_data_first{console};
    console.set_before_write([&data] { data.flush(); });
    // A write of the data file that fails ends the run with the console text
    // that came before the write was submitted; the writes go on beside the run.
    data.set_clock([&console] { return console.produced(); });
    print_banner(console);

    const int number = generators::lookup_generator(name);
    if (number == 0) {
        console.write_free(kTypingError);
        data.close();
        return stop(console);
    }

    console.write_free("");
    std::int32_t n = 0;
    std::int32_t m = 0;
    console.write_free(kCountPrompt);
    console.read_integer(n, "N (values per sequence)");
    console.write_free(kSequencesPrompt);
    console.read_integer(m, "M (number of sequences)");

    using generators::Action;
    const generators::CatalogueEntry& entry = generators::catalogue_entry(number);
    const std::unique_ptr<generators::Operation> generator = entry.operation();
    DataSink sink(data);
    for (std::int64_t k = 1; k <= m; ++k) {
        if (entry.action != Action::NotImplemented) {
            generator->call({n, k == 1, console, sink});
        }
        if (entry.action != Action::Fill) {
            static const Template not_implemented(
                "(1X,'EL GENERADOR:',A8,' NO ESTA IMPLEMENTADO EN TAMBORIL2')");
            console.write(not_implemented, {std::string_view(name)});
            data.close();
            pause(console);
            return stop(console);
        }
    }

    // The closing message promises the numbers: only once they are on disk.
    data.close();
    static const Template two_blank_lines("(1X,/)");
    static const Template closing(
        "(1X,'LA EJECUCION HA FINALIZADO',1X,/,/,' EL ARCHIVO:',A12,'CONTIENE EL TOTAL DE "
        "NUMEROS PSEUDOALEATORIOS GENERADOS')");
    const std::string file_field = "ARCH" + name;
    console.write(two_blank_lines, {});
    console.write(closing, {std::string_view(file_field)});
    console.write_free("");
    pause(console);
    console.finish();
    return kExitNormal;
}

void report(Console& console, const std::string& message) {
    console.flush();
    // Names and answers in a message are typed text: its control characters
    // must not reach a terminal as such.
    std::fprintf(stderr, "tamboril: %s\n", records::shown(message).c_str());
    std::fflush(stderr);
}

}  // namespace

std::string data_file_name(std::string_view name) {
    std::string file = "ARCH";
    file += name.substr(0, 8);
    while (!file.empty() && file.back() == ' ') file.pop_back();
    return file;
}

int run_dialogue(Console& console) {
    int status = kExitNormal;
    try {
        status = dialogue(console);
    } catch (const records::InputError& e) {
        report(console, e.what());
        status = kExitInput;
    } catch (const records::DataFileError& e) {
        if (const auto submitted_at = e.submitted_at()) console.take_back(*submitted_at);
        report(console, e.what());
        status = kExitDataFile;
    }
    // What was read ahead goes back to the input, for whatever reads it next.
    if (const int error = console.give_back_input(); error != 0) {
        report(console, std::string("cannot reposition the console input: ") + std::strerror(error));
        if (status == kExitNormal) status = kExitInput;
    }
    console.flush();
    if (const int error = console.write_error(); error != 0) {
        report(console, std::string("cannot write the console output: ") + std::strerror(error));
        if (status == kExitNormal) status = kExitConsole;
    }
    return status;
}

int run_program(const char* null_device) {
    // Before anything else is opened, so that no file of the run takes the
    // descriptor of a closed standard stream.
    if (const int error = records::open_missing_standard_streams(null_device); error != 0) {
        std::fprintf(stderr, "tamboril: a standard stream is closed and %s cannot be opened in its place: %s\n",
                     null_device, std::strerror(error));
        return kExitStreams;
    }
    auto console = records::Console::standard();
    return run_dialogue(console);
}

}  // namespace tamboril::run
