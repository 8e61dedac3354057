#include "exchange/catalogue_source.h"

#include <zip.h>

#include <array>

namespace tavrin {
namespace {

std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// A zip read straight from memory; true when it has a member tellico.xml at its root. A zip that
// does not open is no Tellico file.
bool ZipHoldsTellicoXml(std::span<const std::uint8_t> bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return false;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return false;
    }
    const bool found = zip_name_locate(archive, "tellico.xml", 0) >= 0;
    zip_discard(archive); // frees the source too
    return found;
}

// The first element of an XML document and its first child, read by hand: the recognition looks
// at a few hundred bytes of a file that may be hundreds of megabytes long, so it parses nothing
// else. Whatever does not read as XML here is no catalogue.
class XmlSniffer {
  public:
    explicit XmlSniffer(std::string_view text) : s_(text) {
        if (s_.starts_with("\xEF\xBB\xBF")) p_ = 3;
    }

    struct Tag {
        std::string_view name; // without a namespace prefix
        std::string_view type; // the type attribute's value
        bool empty = false;    // <name ... />
    };

    // The document's root element: declaration, processing instructions, comments and the
    // doctype skipped.
    std::optional<Tag> Root() {
        while (true) {
            SkipBlanks();
            if (At("<?")) {
                if (!SkipPast("?>")) return std::nullopt;
            } else if (At("<!--")) {
                if (!SkipPast("-->")) return std::nullopt;
            } else if (At("<!DOCTYPE")) {
                if (!SkipDoctype()) return std::nullopt;
            } else {
                return StartTag();
            }
        }
    }

    // The first element inside the one just read; nothing when it closes first.
    std::optional<Tag> FirstChild() {
        while (p_ < s_.size()) {
            const std::size_t open = s_.find('<', p_);
            if (open == std::string_view::npos) return std::nullopt;
            p_ = open;
            if (At("<?")) {
                if (!SkipPast("?>")) return std::nullopt;
            } else if (At("<!--")) {
                if (!SkipPast("-->")) return std::nullopt;
            } else if (At("<![CDATA[")) {
                if (!SkipPast("]]>")) return std::nullopt;
            } else if (At("</")) {
                return std::nullopt;
            } else {
                return StartTag();
            }
        }
        return std::nullopt;
    }

  private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    static bool EndsName(char c) { return IsBlank(c) || c == '>' || c == '/' || c == '='; }

    bool At(std::string_view what) const { return s_.substr(p_).starts_with(what); }
    void SkipBlanks() {
        while (p_ < s_.size() && IsBlank(s_[p_]))
            ++p_;
    }
    bool SkipPast(std::string_view end) {
        const std::size_t at = s_.find(end, p_);
        if (at == std::string_view::npos) return false;
        p_ = at + end.size();
        return true;
    }
    // <!DOCTYPE name PUBLIC "..." "..." [ internal subset ]>
    bool SkipDoctype() {
        int depth = 0;
        for (++p_; p_ < s_.size(); ++p_) {
            const char c = s_[p_];
            if (c == '"' || c == '\'') {
                const std::size_t close = s_.find(c, p_ + 1);
                if (close == std::string_view::npos) return false;
                p_ = close;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                --depth;
            } else if (c == '>' && depth <= 0) {
                ++p_;
                return true;
            }
        }
        return false;
    }
    std::string_view Name() {
        const std::size_t start = p_;
        while (p_ < s_.size() && !EndsName(s_[p_]))
            ++p_;
        return s_.substr(start, p_ - start);
    }
    static std::string_view LocalName(std::string_view name) {
        const std::size_t colon = name.find(':');
        return colon == std::string_view::npos ? name : name.substr(colon + 1);
    }
    std::optional<Tag> StartTag() {
        if (!At("<")) return std::nullopt;
        ++p_;
        Tag tag;
        tag.name = LocalName(Name());
        if (tag.name.empty()) return std::nullopt;
        while (true) {
            SkipBlanks();
            if (p_ >= s_.size()) return std::nullopt;
            if (At("/>")) {
                p_ += 2;
                tag.empty = true;
                return tag;
            }
            if (At(">")) {
                ++p_;
                return tag;
            }
            const std::string_view attribute = Name();
            SkipBlanks();
            if (attribute.empty() || !At("=")) return std::nullopt;
            ++p_;
            SkipBlanks();
            if (p_ >= s_.size() || (s_[p_] != '"' && s_[p_] != '\'')) return std::nullopt;
            const std::size_t close = s_.find(s_[p_], p_ + 1);
            if (close == std::string_view::npos) return std::nullopt;
            if (attribute == "type") tag.type = s_.substr(p_ + 1, close - p_ - 1);
            p_ = close + 1;
        }
    }

    std::string_view s_;
    std::size_t p_ = 0;
};

std::optional<CatalogueFormat> RecogniseXml(std::string_view text) {
    XmlSniffer xml(text);
    const auto root = xml.Root();
    if (!root) return std::nullopt;
    const auto firstChildIs = [&](std::string_view name) {
        if (root->empty) return false;
        const auto child = xml.FirstChild();
        return child && child->name == name;
    };
    if (root->name == "tellico") return CatalogueFormat::Tellico;
    if (root->name == "collection" && root->type == "GCfilms") return CatalogueFormat::GCstar;
    if (root->name == "DVD" || (root->name == "Collection" && firstChildIs("DVD")))
        return CatalogueFormat::DvdProfiler;
    // Collectorz puts its field list and texts before the movies: the list may come late.
    if (root->name == "movieinfo" && text.find("<movielist") != std::string_view::npos)
        return CatalogueFormat::Collectorz;
    if (root->name == "root" && firstChildIs("movie")) return CatalogueFormat::Griffith;
    if (root->name == "data-crow-objects") return CatalogueFormat::DataCrow;
    return std::nullopt;
}

} // namespace

std::string_view CatalogueFormatName(CatalogueFormat format) {
    switch (format) {
    case CatalogueFormat::Tellico:
        return "Tellico";
    case CatalogueFormat::GCstar:
        return "GCstar";
    case CatalogueFormat::DvdProfiler:
        return "DVD Profiler";
    case CatalogueFormat::Collectorz:
        return "Collectorz";
    case CatalogueFormat::Griffith:
        return "Griffith";
    case CatalogueFormat::DataCrow:
        return "Data Crow";
    case CatalogueFormat::AntMovieCatalog:
        return "Ant Movie Catalog";
    }
    return {};
}

std::optional<CatalogueFormat> RecogniseCatalogue(std::span<const std::uint8_t> bytes) {
    const std::string_view text = AsText(bytes);
    if (text.starts_with(std::string_view("PK\x03\x04", 4)))
        return ZipHoldsTellicoXml(bytes) ? std::optional(CatalogueFormat::Tellico) : std::nullopt;
    if (text.starts_with(" AMC_")) return CatalogueFormat::AntMovieCatalog;
    return RecogniseXml(text);
}

CatalogueRead ReadCatalogue(CatalogueFormat format, std::span<const std::uint8_t> bytes) {
    switch (format) {
    case CatalogueFormat::Tellico:
        return ReadTellico(bytes);
    case CatalogueFormat::GCstar:
        return ReadGcstar(bytes);
    case CatalogueFormat::DvdProfiler:
        return ReadDvdProfiler(bytes);
    case CatalogueFormat::Collectorz:
        return ReadCollectorz(bytes);
    case CatalogueFormat::Griffith:
        return ReadGriffith(bytes);
    case CatalogueFormat::DataCrow:
        return ReadDataCrow(bytes);
    case CatalogueFormat::AntMovieCatalog:
        return ReadAntMovieCatalog(bytes);
    }
    return Unexpected(CatalogueFailure{CatalogueError::NotACatalogue, {}});
}

} // namespace tavrin
