// Writes the seed corpus of the table reader fuzz target into the folder given as argument: this
// program's spreadsheet export with every box ticked in English and in French, a CSV with quotes,
// semicolons and a byte-order mark, and a table with cells that do not fit.
#include "reports/list_export.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    using namespace tavrin;
    if (argc != 2) {
        std::fprintf(stderr, "usage: table_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    auto write = [&dir](const std::string& name, std::string_view bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    };
    Collection c;
    c.List(ListId::Director) = {"RIDLEY SCOTT"};
    c.List(ListId::Actor) = {"WEAVER", "HURT"};
    c.List(ListId::Publisher) = {"FOX"};
    c.List(ListId::Retailer) = {"LASER WORLD"};
    TitleRecord t;
    t.SetTitle("ALIEN");
    t.SetYear(1979);
    t.SetGenre(19);
    t.SetGenre2(13);
    t.SetDirector(0);
    t.SetActor1(0);
    t.SetActor2(1);
    for (std::size_t slot = 2; slot < ActorOffsets.size(); ++slot)
        t.SetU16(ActorOffsets[slot], NoEntry);
    t.SetComposer(NoEntry);
    t.SetBox(NoEntry);
    t.SetInfo(NoEntry);
    t.SetInfo2(NoEntry);
    for (std::size_t off : MediaOffsets)
        t.SetU16(off, NoEntry);
    t.SetPublisher(0);
    t.SetRetailer(0);
    t.SetCommentary(true);
    t.SetPrice(49.99f);
    t.SetBuyDate(36526);
    AppendTitle(c, t);
    t.SetTitle("\xC9T\xC9 ZERO");
    t.SetSupport(1);
    t.SetZone(2);
    t.SetMpaa(7);
    AppendTitle(c, t);
    const std::vector<std::uint16_t> browse(c.ListeIndex.begin(), c.ListeIndex.end());
    const DateFormat dates("dd/MM/yyyy");
    for (int language : {0, 1}) {
        MessageCatalogue catalogue;
        catalogue.SetLanguage(language);
        const ReportTexts texts(catalogue);
        write("export-" + std::to_string(language) + ".txt",
              SpreadsheetExport(ReportContext{c, texts, dates}, browse, DetailChoices::All()));
    }
    write("quoted.csv", "\xEF\xBB\xBFTitre;Ann\xC3\xA9"
                        "e;Director;Actor1;Price;BuyDate\r\n"
                        "\"HELLO; \"\"WORLD\"\"\";1999;\"TWO\r\nLINES\";FORD;12,50;2000-01-31\r\n"
                        "\xC3\x89T\xC3\x89;;;;;\r\n");
    write("refused.csv", "Title,Year,Support,Thx\nALIEN,soon,Betamax,maybe\n,1979,DVD,1\n");
    return 0;
}
