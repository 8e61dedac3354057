#include "reports/list_export.h"

#include "lang/vocabulary.h"

#include <charconv>

namespace tavrin {
namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr char Tab = '\t';
constexpr int DvdSupport = 1;

void AppendNumber(std::string& out, long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

std::string_view NameOf(const Collection& c, ListId list, int stored) {
    if (stored < 0 || stored >= MaxEntryNumber) return {};
    return NameAt(c.List(list), stored);
}

// One spreadsheet row: every value followed by its TAB.
class Row {
  public:
    explicit Row(std::string& out) : out_(out) {}
    Row& Value(std::string_view v) {
        out_ += v;
        out_ += Tab;
        return *this;
    }
    Row& Number(long long v) {
        AppendNumber(out_, v);
        out_ += Tab;
        return *this;
    }
    Row& Word(bool set, std::string_view word) { return Value(set ? word : std::string_view()); }
    std::string& Out() { return out_; }
    void EndValue() { out_ += Tab; }

  private:
    std::string& out_;
};

// The header: names with a TAB between them.
class Header {
  public:
    explicit Header(std::string& out) : out_(out) {}
    Header& Name(std::string_view a, std::string_view b = {}) {
        if (!first_) out_ += Tab;
        first_ = false;
        out_ += a;
        out_ += b;
        return *this;
    }

  private:
    std::string& out_;
    bool first_ = true;
};

void WriteHeader(std::string& out, const ReportTexts& texts, const DetailChoices& d) {
    Header h(out);
    h.Name(texts(Msg::MsgTitle))
        .Name(texts(Msg::MsgYear))
        .Name("LD/DVD/VHS")
        .Name("DVD Zone")
        .Name("Standard");
    if (d.Has(DetailBox::LT)) h.Name(texts(Msg::MsgLength));
    if (d.Has(DetailBox::SideT)) h.Name("CLV/SINGLE/START/DISC").Name("CAV/RSDL/END");
    if (d.Has(DetailBox::RatioT)) h.Name("Aspect Ratios").Name("16/9").Name(texts(Msg::MsgPSFullFrame));
    if (d.Has(DetailBox::MPAAT)) h.Name("MPAA");
    if (d.Has(DetailBox::GT)) h.Name("Genre");
    if (d.Has(DetailBox::EdiT)) h.Name(texts(Msg::MsgPublisher));
    if (d.Has(DetailBox::ST))
        h.Name(texts(Msg::MsgSound))
            .Name("Dolby Digital")
            .Name("DTS")
            .Name("DVD DTS")
            .Name("DVD ", "Dolby Digital")
            .Name("DVD MPEG")
            .Name("PCM");
    if (d.Has(DetailBox::SubT)) h.Name(texts(Msg::MsgSubtitled)).Name("DVD ", texts(Msg::MsgSubtitled));
    if (d.Has(DetailBox::TT))
        h.Name("THX").Name("Director's Cut").Name(texts(Msg::MsgDubbed)).Name(texts(Msg::MsgDefectRotted));
    if (d.Has(DetailBox::BT)) h.Name(texts(Msg::MsgIncludedIn));
    if (d.Has(DetailBox::ET)) h.Name("EXTRAS");
    if (d.Has(DetailBox::OtherT))
        h.Name(texts(Msg::MsgOtherInformations), " 1").Name(texts(Msg::MsgOtherInformations), " 2");
    if (d.Has(DetailBox::DT)) h.Name(texts(Msg::MsgDirector));
    if (d.Has(DetailBox::AT)) h.Name(texts(Msg::MsgActor));
    if (d.Has(DetailBox::CT)) h.Name(texts(Msg::MsgComposer));
    if (d.Has(DetailBox::MT))
        h.Name(texts(Msg::MsgMovieMark)).Name(texts(Msg::MsgImageMark)).Name(texts(Msg::MsgSoundMark));
    if (d.Has(DetailBox::PT))
        h.Name(texts(Msg::MsgPurchasedThe))
            .Name(texts(Msg::MsgRetailer))
            .Name(texts(Msg::MsgPrice))
            .Name(texts(Msg::MsgUsed));
    if (d.Has(DetailBox::WT)) h.Name(texts(Msg::MsgWatchingTimes)).Name(texts(Msg::MsgWatchedDate));
    out += LineEnd;
}

void WriteRow(std::string& out, const ReportContext& context, const TitleRecord& t, const DetailChoices& d) {
    const Collection& c = context.collection;
    const ReportTexts& texts = context.texts;
    const bool dvd = t.Support() == DvdSupport;
    Row row(out);
    row.Value(t.TitleView()).Number(t.Year()).Value(MediumText(t.Support()));
    row.Value(dvd ? ItemText(ZoneNames, t.Zone()) : std::string_view("-"));
    row.Value(ItemText(StandardNames, t.Standard()));
    if (d.Has(DetailBox::LT)) row.Number(t.Length());
    if (d.Has(DetailBox::SideT)) row.Number(t.ClvSides()).Number(t.CavSides());
    if (d.Has(DetailBox::RatioT))
        row.Value(ItemText(AspectRatioNames, t.AspectRatio()))
            .Word(t.Widescreen169(), "16/9")
            .Word(t.PanScan(), texts(Msg::MsgPSFullFrame));
    if (d.Has(DetailBox::MPAAT)) row.Value(ItemText(MpaaNames, t.Mpaa()));
    if (d.Has(DetailBox::GT)) {
        out += texts.Genre(t.Genre());
        if (t.Genre2() != 0) {
            out += " - ";
            out += texts.Genre(t.Genre2());
        }
        row.EndValue();
    }
    if (d.Has(DetailBox::EdiT))
        row.Value(NameOf(c, ListId::Publisher, t.Publisher() == NoPublisher ? -1 : t.Publisher()));
    if (d.Has(DetailBox::ST)) {
        row.Value(ItemText(SoundNames, t.Sound())).Word(t.Ac3(), "Dolby Digital").Word(t.Dts(), "DTS");
        auto group = [&](std::initializer_list<std::pair<std::uint8_t, std::string_view>> parts) {
            if (dvd)
                for (const auto& [bits, suffix] : parts)
                    AppendDvdLanguages(out, texts, bits, suffix);
            row.EndValue();
        };
        group({{t.DvdDts(), "(DTS) "}});
        group({{t.DvdDd10(), "(DD 1.0) "},
               {t.DvdDd20(), "(DD 2.0) "},
               {t.DvdDd40(), "(DD 4.0) "},
               {t.DvdDd51(), "(DD 5.1) "}});
        group(
            {{t.DvdMpeg10(), "(MPEG 1.0) "}, {t.DvdMpeg20(), "(MPEG 2.0) "}, {t.DvdMpeg51(), "(MPEG 5.1) "}});
        group({{t.DvdPcm(), "(PCM) "}});
    }
    if (d.Has(DetailBox::SubT)) {
        row.Word(t.Subtitled(), texts(Msg::MsgSubtitled));
        AppendDvdLanguages(out, texts, t.DvdSubtitles(), {});
        row.EndValue();
    }
    if (d.Has(DetailBox::TT))
        row.Word(t.Thx(), "THX")
            .Word(t.DirectorsCut(), "Director's Cut")
            .Word(t.Dubbed(), texts(Msg::MsgDubbed))
            .Word(t.Rotted(), texts(Msg::MsgDefectRotted));
    if (d.Has(DetailBox::BT)) row.Value(NameOf(c, ListId::Box, t.Box()));
    if (d.Has(DetailBox::ET)) {
        for (const auto& extra : ReportExtras())
            if (t.Flag(extra.offset)) {
                out += ExtraText(texts, extra);
                out += ' ';
            }
        row.EndValue();
    }
    if (d.Has(DetailBox::OtherT))
        row.Value(NameOf(c, ListId::Info, t.Info())).Value(NameOf(c, ListId::Info2, t.Info2()));
    if (d.Has(DetailBox::DT)) row.Value(NameOf(c, ListId::Director, t.Director()));
    if (d.Has(DetailBox::AT)) {
        for (const std::size_t offset : ActorOffsets) {
            const std::string_view name = NameOf(c, ListId::Actor, t.U16(offset));
            if (name.empty()) continue;
            out += name;
            out += ' ';
        }
        row.EndValue();
    }
    if (d.Has(DetailBox::CT)) row.Value(NameOf(c, ListId::Composer, t.Composer()));
    if (d.Has(DetailBox::MT)) row.Number(t.FilmRating()).Number(t.PictureRating()).Number(t.SoundRating());
    if (d.Has(DetailBox::PT)) {
        context.dates.AppendTo(out, t.BuyDate());
        row.EndValue();
        row.Value(NameOf(c, ListId::Retailer, t.Retailer()))
            .Number(WholePrice(t.Price()))
            .Word(t.Used(), texts(Msg::MsgUsed));
    }
    if (d.Has(DetailBox::WT)) {
        row.Number(t.Viewings());
        context.dates.AppendTo(out, t.WatchDate());
        row.EndValue();
    }
    out += LineEnd;
}

// Output gathered in a buffer of bounded size and handed on in pieces, so that a long list never
// needs its whole text in memory.
class Pieces {
  public:
    explicit Pieces(const ExportPieces& emit) : emit_(emit) { buffer_.reserve(PieceSize + PieceSize / 4); }
    std::string& Out() { return buffer_; }
    // After each title: hands the buffer on once it is full; false once the receiver stopped.
    bool Flush(bool last = false) {
        if (!ok_ || (!last && buffer_.size() < PieceSize)) return ok_;
        ok_ = emit_(buffer_);
        buffer_.clear();
        return ok_;
    }

  private:
    static constexpr std::size_t PieceSize = 1 << 18;
    const ExportPieces& emit_;
    std::string buffer_;
    bool ok_ = true;
};

Expected<Done, FileFailure> WritePieces(const std::filesystem::path& path, bool flushToDisk,
                                        const std::function<bool(const ExportPieces&)>& produce) {
    return WriteFileReplacingWith(
        path,
        [&](const ByteWriter& write) {
            return produce([&write](std::string_view piece) {
                return write(std::span(reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size()));
            });
        },
        flushToDisk);
}

} // namespace

bool TextExportTo(const ReportContext& context, std::span<const std::uint16_t> browse,
                  const ExportChoices& choices, const ExportPieces& emit) {
    Pieces pieces(emit);
    std::string& out = pieces.Out();
    out += choices.listName;
    out += LineEnd;
    out += ' ';
    out += LineEnd;
    const Collection& c = context.collection;
    for (const std::uint16_t r : browse) {
        if (choices.kind == ExportKind::JustTheTitles) {
            out += c.RecordAt(r).TitleView();
            out += LineEnd;
        } else {
            AppendDetailBlockText(out, context, c.RecordAt(r), choices.details);
            out += ' ';
            out += LineEnd;
        }
        if (!pieces.Flush()) return false;
    }
    return pieces.Flush(true);
}

bool SpreadsheetExportTo(const ReportContext& context, std::span<const std::uint16_t> browse,
                         const DetailChoices& details, const ExportPieces& emit) {
    Pieces pieces(emit);
    WriteHeader(pieces.Out(), context.texts, details);
    for (const std::uint16_t r : browse) {
        WriteRow(pieces.Out(), context, context.collection.RecordAt(r), details);
        if (!pieces.Flush()) return false;
    }
    return pieces.Flush(true);
}

std::string TextExport(const ReportContext& context, std::span<const std::uint16_t> browse,
                       const ExportChoices& choices) {
    std::string all;
    TextExportTo(context, browse, choices, [&all](std::string_view piece) {
        all += piece;
        return true;
    });
    return all;
}

std::string SpreadsheetExport(const ReportContext& context, std::span<const std::uint16_t> browse,
                              const DetailChoices& details) {
    std::string all;
    SpreadsheetExportTo(context, browse, details, [&all](std::string_view piece) {
        all += piece;
        return true;
    });
    return all;
}

Expected<Done, FileFailure> WriteTextExport(const std::filesystem::path& path, const ReportContext& context,
                                            std::span<const std::uint16_t> browse,
                                            const ExportChoices& choices, bool flushToDisk) {
    return WritePieces(path, flushToDisk, [&](const ExportPieces& emit) {
        return TextExportTo(context, browse, choices, emit);
    });
}

Expected<Done, FileFailure> WriteSpreadsheetExport(const std::filesystem::path& path,
                                                   const ReportContext& context,
                                                   std::span<const std::uint16_t> browse,
                                                   const DetailChoices& details, bool flushToDisk) {
    return WritePieces(path, flushToDisk, [&](const ExportPieces& emit) {
        return SpreadsheetExportTo(context, browse, details, emit);
    });
}

} // namespace tavrin
