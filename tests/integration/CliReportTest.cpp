// dravinor-cli report: the PDF a fitter hands the customer, read back as
// its reader gets it (pdftotext), from the controller and from a file.
#include "CliFixture.h"
#include "PdfText.h"

#include "fields/PageValues.h"
#include "params/ParameterFile.h"
#include "params/ParameterState.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace dravinor;
using dravinor::testing::CliRun;
using dravinor::testing::lineWith;
using dravinor::testing::pdfText;
using dravinor::testing::PtyCli;

namespace {

const std::string carOptions = "--registration 'WX 1234A' --make-model 'Škoda Felicia' --odometer '182 400 km' "
                               "--workshop 'Auto-Gaz Łódź — Жёлтый'";

// Every value the pages show stands on one line with its caption, a check
// box's in words; the stored values no page shows come in the technical
// appendix after the signature.
void expectEveryValue(const std::string& text, const params::ParameterBlock& block)
{
    for (const fields::PageValue& value : fields::pageValues(block)) {
        const std::string shown = value.checkBox ? (value.item ? "tak" : "nie") : value.withUnit();
        EXPECT_TRUE(dravinor::testing::captionWithValue(text, value.caption, shown)) << value.caption << " = " << shown;
    }
    EXPECT_EQ(text.find("[x]"), std::string::npos);
    EXPECT_EQ(text.find("[ ]"), std::string::npos);
    const auto appendix = text.find("Załącznik techniczny");
    ASSERT_NE(appendix, std::string::npos) << text;
    EXPECT_GT(text.find("Kod wyjścia emulacji"), appendix) << "the internals follow the customer's part";
}

struct CliReport : dravinor::testing::CliFixture {
    std::string pdf() const { return (dir / "car.pdf").string(); }
};

}  // namespace

TEST_F(CliReport, FromTheControllerNamesTheCarTheWorkshopTheControllerAndEveryValue)
{
    auto image = controller.eeprom();
    image[3] = 60;  // a TPS inertia of its own
    controller.setEeprom(image);
    const CliRun run = cli("report -o '" + pdf() + "' " + carOptions);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Saved " + pdf()), std::string::npos) << run.err;
    const std::string text = pdfText(pdf());
    EXPECT_NE(lineWith(text, "Numer rejestracyjny", "WX 1234A"), "") << text;
    EXPECT_NE(lineWith(text, "Marka i model", "Škoda Felicia"), "");
    EXPECT_NE(lineWith(text, "Przebieg", "182 400 km"), "");
    EXPECT_NE(lineWith(text, "Warsztat", "Auto-Gaz Łódź — Жёлтый"), "");
    EXPECT_NE(lineWith(text, "Sterownik", "typ 1, wersja oprogramowania 3"), "");
    EXPECT_NE(lineWith(text, "Data", "."), "");
    params::ParameterBlock block;
    for (int address = 1; address <= 35; ++address)
        block.setParameter(params::Address(address), image[static_cast<std::size_t>(address)]);
    expectEveryValue(text, block);
    EXPECT_EQ(text.find("nie odczytano"), std::string::npos);
}

TEST_F(CliReport, FromAParameterFileNeedsNoControllerAndSaysWhereTheValuesCameFrom)
{
    params::ParameterState state;
    state.loadDefaults();
    state.block().setParameter(params::Address(3), 60);  // a TPS inertia of its own
    const std::string par = (dir / "Felicia.PAR").string();
    ASSERT_TRUE(params::saveParameterFile(par, state.block()).ok());
    controller.setSilent(true);
    const CliRun run = cli("report --file '" + par + "' -o '" + pdf() + "' " + carOptions);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(controller.receivedFrames().empty()) << "the controller is not asked";
    const std::string text = pdfText(pdf());
    EXPECT_NE(lineWith(text, "Sterownik", "z pliku"), "") << text;
    expectEveryValue(text, state.block());
}

TEST_F(CliReport, APartialReadMarksWhatWasNotReadAndSaysSoInTheExitStatus)
{
    sim::FaultOptions faults;
    faults.lateAnswerAddress = 1;  // the lambda threshold answers too late
    faults.lateAnswerMs = 100;
    faults.lateAnswerQueues = true;
    controller.setFaults(faults);
    auto image = controller.eeprom();
    image[1] = 71;
    controller.setEeprom(image);
    const CliRun run = cli("report -o '" + pdf() + "'");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("no valid answer for address 1; the report marks those values as not read"),
              std::string::npos)
        << run.err;
    const std::string text = pdfText(pdf());
    EXPECT_NE(lineWith(text, "Próg sondy lambda", "nie odczytano"), "") << text;
    EXPECT_EQ(text.find("0,71"), std::string::npos) << "never the value it could not read";
    EXPECT_NE(text.find("sterownik nie podał tej wartości"), std::string::npos);
}

TEST_F(CliReport, CaptionsAndListItemsComeFromThePolishLanguageFileAsInTheWindow)
{
    // Windows-1250 as shipped: 0xF3 is "ó".
    std::filesystem::create_directories(dir / "lang");
    std::ofstream(dir / "lang" / "polski.txt", std::ios::binary) << "10102 Sonda 0-1 V\n"
                                                                    "10301 Pr\xF3g lambdy\n"
                                                                    "13000 Silnik g\xF3rny\n";
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    params::ParameterState state;
    state.loadDefaults();
    const std::string par = (dir / "car.PAR").string();
    ASSERT_TRUE(params::saveParameterFile(par, state.block()).ok());
    const CliRun run = cli("report --file '" + par + "' -o '" + pdf() + "'");
    std::filesystem::current_path(before);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = pdfText(pdf());
    EXPECT_TRUE(dravinor::testing::captionWithValue(text, "Próg lambdy", "0,38 V")) << text;
    EXPECT_TRUE(dravinor::testing::captionWithValue(text, "Rodzaj sondy lambda", "Sonda 0-1 V")) << "a list's item";
    EXPECT_NE(lineWith(text, "Silnik górny: Pozycja startowa"), "")
        << "a group's title before a caption two groups share";
    EXPECT_NE(lineWith(text, "Silnik ponizej TPS: Pozycja startowa"), "") << "a title the file leaves stays built in";
}

TEST_F(CliReport, ABadOutputPathIsAClearErrorAndWritesNothing)
{
    params::ParameterState state;
    state.loadDefaults();
    const std::string par = (dir / "car.PAR").string();
    ASSERT_TRUE(params::saveParameterFile(par, state.block()).ok());
    std::filesystem::create_directory(dir / "folder.pdf");
    CliRun run = cli("report --file '" + par + "' -o '" + (dir / "folder.pdf").string() + "'");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("cannot create the report there"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("nothing written"), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.pdf"));

    run = cli("report --file '" + par + "' -o '" + (dir / "gone" / "x.pdf").string() + "'");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_FALSE(std::filesystem::exists(dir / "gone"));

    run = cli("report");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("report needs -o FILE"), std::string::npos) << run.err;
}

TEST_F(CliReport, ANoParameterFileIsRefusedBeforeAnythingIsWritten)
{
    const CliRun run = cli("report --file '" + (dir / "missing.PAR").string() + "' -o '" + pdf() + "'");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_FALSE(std::filesystem::exists(pdf()));
}

// The program itself, without a display, on a real pty.
TEST_F(PtyCli, ReportIsWrittenByTheProgramWithoutAScreen)
{
    const std::string pdf = (dir / "car.pdf").string();
    const CliRun run = cli("report -o '" + pdf + "' --workshop 'Warsztat Żółw'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = pdfText(pdf);
    EXPECT_NE(lineWith(text, "Warsztat", "Warsztat Żółw"), "") << text;
    EXPECT_NE(lineWith(text, "Sterownik", "typ 1, wersja oprogramowania 3"), "");
}

TEST_F(CliReport, AShortFileMarksTheValuesItDoesNotHoldInsteadOfShowingZeros)
{
    const std::string par = (dir / "short.PAR").string();
    {
        // Addresses 0..9: the lambda threshold (1) and TPS threshold (2) are there, the rest is not.
        std::ofstream out(par, std::ios::binary);
        const char bytes[10] = {0, 38, 28, 3, 100, 115, 85, 85, 100, 70};
        out.write(bytes, sizeof bytes);
    }
    const CliRun run = cli("report --file '" + par + "' -o '" + pdf() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("holds 10 bytes, not 64"), std::string::npos) << run.err;
    const std::string text = pdfText(pdf());
    EXPECT_NE(lineWith(text, "Próg czujnika tps", " V"), "") << text;
    EXPECT_NE(lineWith(text, "Maksymalne obroty na gazie", "nie odczytano"), "") << "a word beyond the file";
    EXPECT_NE(text.find("plik jest krótszy"), std::string::npos);
}
