#pragma once
// The current case of the main window: the birth data on screen, tied either to no record yet
// (new) or to one stored record and its comment document (stored). It saves, views and starts
// anew; the window asks the questions and shows the results. Comments come and go as RTF
// bytes: the comment pane turns its document into them and back.
#include "Database.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

enum class CaseMode { New, Stored };

enum class SaveOutcome {
    Saved,
    NotCast,        // no chart cast successfully since the last view, new or deletion
    BadCategory,    // empty, or longer than a record's category field
    CaseGone,       // the stored record was deleted meanwhile; the case is now new
    CommentExists,  // every free comment name is taken: no comment is overwritten
    CommentFailed,  // the comment document could not be written; nothing was saved
    RecordFailed,   // the record could not be written; nothing is left half-saved
};

enum class ViewOutcome {
    Ready,      // the record is read; Show it after the unsaved-comment question
    NotLive,    // deleted or out of range: do nothing
    BadRecord,  // a record this program cannot have written (empty name, impossible date)
    Failed,     // the case file could not be read
};

class CurrentCase {
public:
    explicit CurrentCase(MDataBase& store) : store_(store) {}

    CaseMode Mode() const { return mode_; }
    int32_t StoredNumber() const { return storedNumber_; }
    const CaseRecord& Record() const { return record_; }
    // The comment document of the stored case; empty in new mode or for an unusable name.
    const std::filesystem::path& CommentPath() const { return commentPath_; }
    bool IsCast() const { return cast_; }
    void SetCast(bool cast) { cast_ = cast; }
    // The failure behind the last CommentFailed or RecordFailed.
    DbStatus LastStatus() const { return lastStatus_; }

    // A natal cast writes its birth data into the working copy; category and comment name stay.
    void SetBirthData(const ChartInput& input);

    // Whether the unsaved-comment question applies.
    bool AsksAboutComment(bool commentModified) const { return mode_ == CaseMode::Stored && commentModified; }

    // Stored mode: the comment document, then the record at the stored number.
    SaveOutcome SaveStored(std::string_view commentRtf);
    // New mode: files the working copy under `category` with a fresh comment name, writes the
    // comment document, then appends the record; if the append fails the new document is
    // removed again. The mode stays new. `saved` receives the record as appended.
    SaveOutcome SaveNew(std::string_view category, std::string_view commentRtf, CaseRecord& saved);

    // View, in two steps around the unsaved-comment question: Read fetches and checks the
    // record; Show makes it the current case (stored mode, cast flag cleared).
    ViewOutcome Read(int32_t number, CaseRecord& record) const;
    void Show(const CaseRecord& record);

    // "新建": new mode, cast flag cleared; the working copy stays.
    void New();

    // The tree changed a record of the current case: keep the working copy in step.
    void CaseMoved(int32_t number, const std::string& category);
    void CategoryRenamed(const std::string& from, const std::string& to);
    // The stored case was deleted: a later save files it anew instead of reviving the record.
    void CaseDeleted(int32_t number);
    // The case file was replaced or renumbered (import, compaction): record numbers no longer hold.
    void Detach();

private:
    MDataBase& store_;
    CaseRecord record_;
    CaseMode mode_ = CaseMode::New;
    int32_t storedNumber_ = -1;
    std::filesystem::path commentPath_;
    bool cast_ = false;
    DbStatus lastStatus_ = DbStatus::Ok;
};
