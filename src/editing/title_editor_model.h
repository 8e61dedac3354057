// The title editor as plain values, one per control, and the operations over the collection:
// clearing, loading a record, the checks made on leaving a field, saving and deleting.
#pragma once

#include "editing/collection_changes.h"
#include "editing/dvd_flags.h"
#include "lang/catalogue.h"
#include "lang/vocabulary.h"
#include "store/collection.h"
#include "store/day_number.h"
#include "store/expected.h"
#include "store/files/file_access.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

inline constexpr int FirstFilmYear = 1890;
inline constexpr int MaxViewings = 32000;
inline constexpr int MaxMark = 5;
inline constexpr std::size_t EditorMediaSlots = 4;

// The name references shown in read-only edits.
enum class EditorRef {
    Director,
    Composer,
    Box,
    Info,
    Info2,
    Publisher,
    Retailer,
    Actor1,
    Actor2,
    Actor3,
    Actor4,
    Actor5
};
inline constexpr std::size_t EditorRefCount = 12;

struct EditorRefInfo {
    std::string_view control; // the read-only edit
    std::string_view button;  // its "..." button
    ListId list;
    std::optional<Msg> placeholder; // shown for none; the retailer shows nothing
};
const EditorRefInfo& RefInfo(EditorRef ref);
inline EditorRef ActorRef(int slot) {
    return static_cast<EditorRef>(static_cast<int>(EditorRef::Actor1) + slot);
}

// The check boxes, each standing for one flag byte of the record.
enum class EditorFlag {
    ATHX,
    ADirectorCut,
    ASubtitled,
    ADubbed,
    AAC3,
    ADTS,
    AUsed,
    A169,
    APS,
    AIsolated,
    AMultiAngle,
    AFlipper,
    AInterview,
    ATrailer,
    ADeletedScene,
    AFeaturette,
    ACommentary,
    AStillFrame,
    ASupAutre,
    ADocumentary,
    ARotted
};
inline constexpr std::size_t EditorFlagCount = 21;

struct EditorFlagInfo {
    std::string_view control;
    std::size_t offset;
    std::optional<Msg> caption;    // a catalogue caption ...
    std::string_view fixedCaption; // ... or one that is the same in every language
};
const EditorFlagInfo& FlagInfo(EditorFlag flag);

// The edits checked when they are left.
enum class EditorField {
    AAnnee,
    ADuree,
    ACAV,
    ACLV,
    APrix,
    ADateVisionJ,
    ADateVisionM,
    ADateVisionA,
    ADateAchatJ,
    ADateAchatM,
    ADateAchatA
};

struct TitleEditorModel {
    // Edits as typed (8-bit text).
    std::string ATitre, AAnnee, ADuree, ACAV, ACLV, APrix;
    std::string ADateVisionJ, ADateVisionM, ADateVisionA;
    std::string ADateAchatJ, ADateAchatM, ADateAchatA;
    // Lists by item index (the stored byte); genres by genre code.
    int AAspectRatio = 0, AMPAA = 0, AStandard = 0, ASound = 0, ASupport = 0, AZone = 0, AAVendre = 0,
        AColor = 0;
    int AGenre = 0, AGenre2 = 0;
    int ANoteFilm = 0, ANoteImage = 0, ANoteSon = 0;
    int ANbVision = 0;
    std::array<bool, EditorFlagCount> flags{};
    // Entry numbers, -1 for none.
    std::array<int, EditorRefCount> refs{};
    std::array<int, EditorMediaSlots> media{};
    DvdTicks dvd{};
    std::string review; // the review window's text, as its file holds it

    // The record being edited; nothing for a title that will be appended (Add, Duplicate).
    std::optional<std::size_t> target;
    // Written by the window: how prices are typed and shown.
    char decimalSeparator = '.';

    bool& operator[](EditorFlag f) { return flags[static_cast<std::size_t>(f)]; }
    bool operator[](EditorFlag f) const { return flags[static_cast<std::size_t>(f)]; }
    int& Ref(EditorRef r) { return refs[static_cast<std::size_t>(r)]; }
    int Ref(EditorRef r) const { return refs[static_cast<std::size_t>(r)]; }
};

// Every control to its default: a new title of the preferred medium, bought and watched today.
void ClearEditor(TitleEditorModel& m, DayNumber today, int videoPreference);
// Every control from record r; repairs a genre code above 32 in the record itself. The review
// text comes from the title's file in textFolder.
void LoadTitleIntoEditor(TitleEditorModel& m, const Collection& c, std::size_t r,
                         const std::filesystem::path& textFolder);

// The edit's text and its check.
std::string& FieldText(TitleEditorModel& m, EditorField f);
struct FieldProblem {
    Msg message;
    std::string resetTo;
};
std::optional<FieldProblem> CheckField(const TitleEditorModel& m, EditorField f, int currentYear);
// Leaving a field: a value that does not convert is replaced by its reset value; the message to
// show comes back.
std::optional<Msg> LeaveField(TitleEditorModel& m, EditorField f, int currentYear);

// The price as the editor shows it: fixed, two decimals.
std::string PriceText(float price, char decimalSeparator);

// A new title is refused once the store is full.
bool CanAddTitle(const Collection& c);

// Stores the review text by the file rule: the file named from the typed title and the number,
// a fresh number when the record has none or its file is gone; an empty text writes nothing and
// gives 0. Gives the number to store, or why the file could not be written.
Expected<std::uint16_t, FileFailure> SaveReviewText(const std::filesystem::path& textFolder,
                                                    std::string_view typedTitle, std::uint16_t reviewNumber,
                                                    std::string_view text);

struct SaveContext {
    DayNumber today = 0;
    bool saveText = false; // the main window's "Save Text" option
    std::filesystem::path textFolder;
    bool duplicate = false;           // a new title made from another one
    std::optional<std::size_t> shown; // the title shown when the editor opened
};

enum class SaveError { CollectionFull, NoTitle, BadField, ReviewNotWritten };
struct SaveProblem {
    SaveError error;
    Msg message;
    std::optional<EditorField> field; // BadField: the field, already reset
    FileFailure failure;              // ReviewNotWritten
};
struct SavedTitle {
    std::size_t record;
    // A new title or a changed title text: the main window drops its filters and selects the
    // title at its new place. Otherwise the line and the filters stay.
    bool placed;
};
// Writes the editor into its record (or appends a new one) and places it in the master order.
// On any problem nothing is stored.
Expected<SavedTitle, SaveProblem> SaveEditor(TitleEditorModel& m, Changes ch, const SaveContext& context);

// Review files keep Windows line ends; the editor's text has plain line feeds.
std::string ReviewLinesFromFile(std::string_view fileText);
std::string ReviewLinesForFile(std::string_view editorText);

// A name-list entry was removed while the editor shows references into that list: references to
// it become none, those above it move down one, as in the records. A multimedia slot that held it
// is removed as RemoveMediaSlot does.
void ForgetRemovedEntry(TitleEditorModel& m, ListId list, int position);

// The multimedia slots. AMedia shows the used slots in slot order, one line each.
std::size_t UsedMediaSlots(const TitleEditorModel& m);
// The slot shown on line k of AMedia, or nothing.
std::optional<std::size_t> MediaSlotOfLine(const TitleEditorModel& m, std::size_t line);
// The slots after slot s move one place towards slot 1; slot 4 becomes -1.
void RemoveMediaSlot(TitleEditorModel& m, std::size_t slot);
// The entry into the next free slot: slot n+1 when n slots are used from the front, the first
// free one when a file left a gap (never over a used slot). False when all four are used.
bool AddMediaSlot(TitleEditorModel& m, int entry);

// Removes the title; the master order is renumbered. False when r is not a title.
bool DeleteCurrentTitle(Changes ch, std::size_t r);

} // namespace tavrin
