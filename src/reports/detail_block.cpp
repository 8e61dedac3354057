#include "reports/detail_block.h"

#include "lang/vocabulary.h"
#include "store/text_encoding.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tavrin {
namespace {

constexpr std::array<std::string_view, 4> MediumNames{"LD", "DVD", "VHS", "VCD"};
constexpr int DvdSupport = 1;
constexpr int VideoCdSupport = 3;

// A name reference that names an entry of its list; 65000 and above name nothing here.
std::string_view NameOf(const Collection& c, ListId list, int stored) {
    if (stored < 0 || stored >= MaxEntryNumber) return {};
    return NameAt(c.List(list), stored);
}
bool HasName(const Collection& c, ListId list, int stored) {
    return !NameOf(c, list, stored).empty();
}
int PublisherStored(const TitleRecord& t) {
    return t.Publisher() == NoPublisher ? -1 : t.Publisher();
}

void AppendNumber(std::string& out, long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// Fills one line of the buffer: plain text and labels, with the label ranges kept.
class LineWriter {
  public:
    LineWriter(std::vector<DetailLine>& lines) : lines_(lines) {}
    ~LineWriter() { lines_.resize(used_); }

    LineWriter& Begin(DetailSection section, bool ticked) {
        if (used_ == lines_.size()) lines_.emplace_back();
        line_ = &lines_[used_++];
        line_->section = section;
        line_->ticked = ticked;
        line_->text.clear();
        line_->labelCount = 0;
        return *this;
    }
    LineWriter& Text(std::string_view s) {
        line_->text += s;
        return *this;
    }
    LineWriter& Number(long long v) {
        AppendNumber(line_->text, v);
        return *this;
    }
    LineWriter& Label(std::string_view s) {
        if (line_->labelCount < line_->labels.size())
            line_->labels[line_->labelCount++] = {static_cast<std::uint16_t>(line_->text.size()),
                                                  static_cast<std::uint16_t>(s.size())};
        line_->text += s;
        return *this;
    }
    // Extends the last label over text just appended ("Publisher" then " : ").
    LineWriter& LabelMore(std::string_view s) {
        line_->text += s;
        if (line_->labelCount > 0)
            line_->labels[line_->labelCount - 1].length += static_cast<std::uint16_t>(s.size());
        return *this;
    }
    // Marks the text from begin to the end so far as one label.
    LineWriter& LabelFrom(std::size_t begin) {
        if (line_->labelCount < line_->labels.size())
            line_->labels[line_->labelCount++] = {static_cast<std::uint16_t>(begin),
                                                  static_cast<std::uint16_t>(line_->text.size() - begin)};
        return *this;
    }
    std::string& Out() { return line_->text; }

  private:
    std::vector<DetailLine>& lines_;
    std::size_t used_ = 0;
    DetailLine* line_ = nullptr;
};

// Writes the lines straight into a text, each ending in CR LF; labels are plain text there.
class TextWriter {
  public:
    explicit TextWriter(std::string& out) : out_(out) {}
    ~TextWriter() {
        if (started_) out_ += "\r\n";
    }
    TextWriter& Begin(DetailSection, bool) {
        if (started_) out_ += "\r\n";
        started_ = true;
        return *this;
    }
    TextWriter& Text(std::string_view s) {
        out_ += s;
        return *this;
    }
    TextWriter& Number(long long v) {
        AppendNumber(out_, v);
        return *this;
    }
    TextWriter& Label(std::string_view s) { return Text(s); }
    TextWriter& LabelMore(std::string_view s) { return Text(s); }
    TextWriter& LabelFrom(std::size_t) { return *this; }
    std::string& Out() { return out_; }

  private:
    std::string& out_;
    bool started_ = false;
};

// " - " between items.
class Joiner {
  public:
    explicit Joiner(std::string& out) : out_(out) {}
    void Add(std::string_view item) {
        if (any_) out_ += " - ";
        out_ += item;
        any_ = true;
    }
    bool Any() const { return any_; }

  private:
    std::string& out_;
    bool any_ = false;
};

constexpr ExtraItem Extras[] = {
    {FlagOffset("Commentary"), Msg::MsgAudioCommentary, {}},
    {FlagOffset("DeletedScenes"), Msg::MsgDeletedScenes, {}},
    {FlagOffset("Documentary"), Msg::MsgDocumentary, {}},
    {FlagOffset("Featurette"), std::nullopt, "Featurette"},
    {FlagOffset("Interview"), std::nullopt, "Interview"},
    {FlagOffset("NotesPhotosBio"), std::nullopt, "Notes/Photos/Bio"},
    {FlagOffset("Trailer"), Msg::MsgTrailer, {}},
    {FlagOffset("IsolatedScore"), Msg::MsgIsolatedMusicFx, {}},
    {FlagOffset("MultiAngle"), std::nullopt, "Multi Angle"},
    {FlagOffset("OtherExtras"), Msg::MsgOther, {}},
};

struct AudioGroup {
    std::uint8_t (TitleRecord::*bits)() const;
    std::string_view suffix;
};
constexpr AudioGroup AudioGroups[] = {
    {&TitleRecord::DvdDts, "(DTS) "},         {&TitleRecord::DvdDd10, "(DD 1.0) "},
    {&TitleRecord::DvdDd20, "(DD 2.0) "},     {&TitleRecord::DvdDd40, "(DD 4.0) "},
    {&TitleRecord::DvdDd51, "(DD 5.1) "},     {&TitleRecord::DvdMpeg10, "(MPEG 1.0) "},
    {&TitleRecord::DvdMpeg20, "(MPEG 2.0) "}, {&TitleRecord::DvdMpeg51, "(MPEG 5.1) "},
    {&TitleRecord::DvdPcm, "(PCM) "},
};

} // namespace

ReportTexts::ReportTexts(const MessageCatalogue& catalogue) : language_(catalogue.Language()) {
    texts_.reserve(MessageCount());
    for (std::size_t i = 0; i < MessageCount(); ++i)
        texts_.push_back(Utf8ToCp1252(catalogue(static_cast<Msg>(i))));
    for (int code = 0; code < GenreCount; ++code)
        genres_.push_back(Utf8ToCp1252(GenreName(catalogue, code)));
}

std::string_view ReportTexts::Genre(int code) const {
    return code >= 0 && code < GenreCount ? std::string_view(genres_[static_cast<std::size_t>(code)])
                                          : std::string_view();
}

std::string_view MediumText(std::uint8_t support) {
    return ItemText(MediumNames, support);
}

std::string MediumAndZone(const TitleRecord& title) {
    std::string out(MediumText(title.Support()));
    if (title.Support() == DvdSupport) {
        out += ' ';
        out += ItemText(ZoneNames, title.Zone());
    }
    return out;
}

void AppendDvdLanguages(std::string& out, const ReportTexts& texts, std::uint8_t bits,
                        std::string_view suffix) {
    for (int bit = 0; bit < 8; ++bit) {
        if (!(bits & (1u << bit))) continue;
        out += texts(DvdLanguageItems[static_cast<std::size_t>(bit)]);
        out += suffix;
    }
}

std::span<const ExtraItem> ReportExtras() {
    return Extras;
}

std::string_view ExtraText(const ReportTexts& texts, const ExtraItem& extra) {
    return extra.entry ? texts(*extra.entry) : extra.fixed;
}

long long WholePrice(float price) {
    // A damaged record can hold any bit pattern; only a number within range is truncated.
    if (!std::isfinite(price) || std::fabs(price) >= 1e18f) return 0;
    return static_cast<long long>(price);
}

std::vector<DetailLine> DetailBlock(const ReportContext& context, const TitleRecord& title,
                                    const DetailChoices& details, BlockForm form) {
    std::vector<DetailLine> lines;
    DetailBlockInto(context, title, details, form, lines);
    return lines;
}

namespace {

// The block's content, whichever writer keeps it.
template <class Writer>
void WriteBlock(const ReportContext& context, const TitleRecord& t, const DetailChoices& details,
                BlockForm form, Writer& w) {
    const Collection& c = context.collection;
    const ReportTexts& texts = context.texts;
    const bool print = form == BlockForm::Print;
    const bool dvd = t.Support() == DvdSupport;

    // Heading.
    w.Begin(DetailSection::Heading, true)
        .Text(t.TitleView())
        .Text(" (")
        .Number(t.Year())
        .Text(") ")
        .LabelFrom(0);
    {
        std::string& out = w.Out();
        out += MediumText(t.Support());
        if (dvd) {
            out += ' ';
            out += ItemText(ZoneNames, t.Zone());
        }
        out += " - ";
        out += ItemText(StandardNames, t.Standard());
    }

    if (details.Has(DetailBox::GT)) {
        w.Begin(DetailSection::Genre, true).Label("Genre : ").Text(texts.Genre(t.Genre()));
        if (t.Genre2() != 0) w.Text(" - ").Text(texts.Genre(t.Genre2()));
    }

    const bool publisher = details.Has(DetailBox::EdiT) && HasName(c, ListId::Publisher, PublisherStored(t));
    if (publisher)
        w.Begin(DetailSection::Publisher, true)
            .Label(texts(Msg::MsgPublisher))
            .Text(" : ")
            .Text(NameOf(c, ListId::Publisher, PublisherStored(t)));
    else if (!print)
        w.Begin(DetailSection::Publisher, details.Has(DetailBox::EdiT));

    if (details.Has(DetailBox::DT) && HasName(c, ListId::Director, t.Director()))
        w.Begin(DetailSection::Director, true)
            .Label(texts(Msg::MsgDirectedBy))
            .Text(NameOf(c, ListId::Director, t.Director()));

    if (details.Has(DetailBox::AT)) {
        int shown = 0;
        for (std::size_t slot = 0; slot < ActorOffsets.size(); ++slot) {
            const std::string_view name = NameOf(c, ListId::Actor, t.U16(ActorOffsets[slot]));
            if (name.empty()) continue;
            if (shown == 0)
                w.Begin(DetailSection::Actors, true).Label(texts(Msg::MsgWith));
            else if (print && shown % 3 == 0)
                w.Begin(DetailSection::Actors, true);
            else
                w.Text(" - ");
            w.Text(name);
            ++shown;
        }
    }

    const bool composer = details.Has(DetailBox::CT) && HasName(c, ListId::Composer, t.Composer());
    if (composer)
        w.Begin(DetailSection::Composer, true)
            .Label(texts(Msg::MsgMusicBy))
            .Text(NameOf(c, ListId::Composer, t.Composer()));
    else if (!print)
        w.Begin(DetailSection::Composer, details.Has(DetailBox::CT));

    if (details.Has(DetailBox::SideT)) {
        w.Begin(DetailSection::Sides, true);
        if (t.Support() == VideoCdSupport) {
            w.Label("Disc : ").Number(t.ClvSides());
        } else {
            Msg first = Msg::MsgClv, second = Msg::MsgCav;
            if (t.Support() == DvdSupport) first = Msg::MsgSimpleSide, second = Msg::MsgRsdl;
            if (t.Support() == 2) first = Msg::MsgStart, second = Msg::MsgEnd;
            w.Label(texts(first)).LabelMore(" : ").Number(t.ClvSides()).Text(" - ");
            w.Label(texts(second)).LabelMore(" : ").Number(t.CavSides());
        }
    }

    if (details.Has(DetailBox::ST)) {
        w.Begin(DetailSection::Sound, true);
        if (dvd) {
            w.Label(texts(Msg::MsgDvdSound));
            for (const auto& group : AudioGroups)
                AppendDvdLanguages(w.Out(), texts, (t.*group.bits)(), group.suffix);
        } else {
            Joiner j(w.Out());
            if (t.Ac3()) j.Add("Dolby Digital");
            if (t.Dts()) j.Add("DTS Digital");
            if (j.Any()) w.Text(" - ");
            w.Text(ItemText(SoundNames, t.Sound()));
        }
    }

    if (details.Has(DetailBox::SubT)) {
        w.Begin(DetailSection::Subtitles, true);
        if (dvd) {
            w.Label(texts(Msg::MsgDvdSubtitles));
            if (t.DvdSubtitles() == 0)
                w.Text(texts(Msg::MsgNone));
            else
                AppendDvdLanguages(w.Out(), texts, t.DvdSubtitles(), {});
        } else if (t.Subtitled()) {
            w.Label(texts(Msg::MsgSubtitled));
        }
    }

    if (details.Has(DetailBox::RatioT)) {
        w.Begin(DetailSection::AspectRatio, true)
            .Label("Aspect Ratio : ")
            .Text(ItemText(AspectRatioNames, t.AspectRatio()));
        if (t.Widescreen169()) w.Text(" - 16/9");
        if (t.PanScan()) w.Text(" - ").Text(texts(Msg::MsgPSFullFrame));
    }

    w.Begin(DetailSection::LengthRating, details.Has(DetailBox::LT));
    if (details.Has(DetailBox::LT)) w.Label(texts(Msg::MsgLengthLabel)).Number(t.Length()).Text("mn");
    if (details.Has(DetailBox::MPAAT)) w.Text(" - ").Label("Rating : ").Text(ItemText(MpaaNames, t.Mpaa()));

    if (details.Has(DetailBox::TT) && (t.Thx() || t.DirectorsCut() || t.Dubbed() || t.Rotted())) {
        Joiner j(w.Begin(DetailSection::Flags, true).Out());
        if (t.Thx()) j.Add("THX");
        if (t.DirectorsCut()) j.Add("Director's Cut");
        if (t.Dubbed()) j.Add(texts(Msg::MsgDubbed));
        if (t.Rotted()) j.Add(texts(Msg::MsgDefectRotted));
    }

    if (details.Has(DetailBox::BT) && HasName(c, ListId::Box, t.Box()))
        w.Begin(DetailSection::Box, true)
            .Label(texts(Msg::MsgIncludedIn))
            .Text(NameOf(c, ListId::Box, t.Box()));

    if (details.Has(DetailBox::ET)) {
        bool any = false;
        for (const auto& extra : Extras)
            any = any || t.Flag(extra.offset);
        if (any) {
            w.Begin(DetailSection::Extras, true).Label("Extras : ");
            Joiner j(w.Out());
            for (const auto& extra : Extras)
                if (t.Flag(extra.offset)) j.Add(ExtraText(texts, extra));
        }
    }

    if (details.Has(DetailBox::OtherT) && HasName(c, ListId::Info, t.Info())) {
        w.Begin(DetailSection::OtherInfo, true).Text(NameOf(c, ListId::Info, t.Info()));
        if (HasName(c, ListId::Info2, t.Info2()))
            w.Begin(DetailSection::OtherInfo, true).Text(NameOf(c, ListId::Info2, t.Info2()));
    }

    if (details.Has(DetailBox::MT)) {
        w.Begin(DetailSection::Marks, true)
            .Label(texts(Msg::MsgMovieMark))
            .LabelMore(" : ")
            .Number(t.FilmRating());
        w.Text(" - ").Label(texts(Msg::MsgImageMark)).LabelMore(" : ").Number(t.PictureRating());
        w.Text(" - ").Label(texts(Msg::MsgSoundMark)).LabelMore(" : ").Number(t.SoundRating());
    }

    if (details.Has(DetailBox::PT)) {
        w.Begin(DetailSection::Purchase, true).Label(texts(Msg::MsgPurchasedThe));
        context.dates.AppendTo(w.Out(), t.BuyDate());
        if (HasName(c, ListId::Retailer, t.Retailer()))
            w.Text(texts(Msg::MsgAt)).Text(NameOf(c, ListId::Retailer, t.Retailer()));
        w.Text(" - ").Label(texts(Msg::MsgPrice)).LabelMore(" : ").Number(WholePrice(t.Price()));
        if (t.Used()) w.Text(" - ").Text(texts(Msg::MsgUsed));
    }

    if (details.Has(DetailBox::WT)) {
        w.Begin(DetailSection::Watching, true).Label(texts(Msg::MsgWatched)).Number(t.Viewings());
        w.Label(texts(Msg::MsgTimesLastViewedThe));
        context.dates.AppendTo(w.Out(), t.WatchDate());
    }
}

} // namespace

void DetailBlockInto(const ReportContext& context, const TitleRecord& title, const DetailChoices& details,
                     BlockForm form, std::vector<DetailLine>& lines) {
    LineWriter w(lines);
    WriteBlock(context, title, details, form, w);
}

void AppendDetailBlockText(std::string& out, const ReportContext& context, const TitleRecord& title,
                           const DetailChoices& details) {
    TextWriter w(out);
    WriteBlock(context, title, details, BlockForm::Text, w);
}

} // namespace tavrin
