// The case tree and the current case over a case file of 100,000 records: the start-up fill,
// "显示全部命例", a search as the search dialog runs it, and saving a case with a 100 KB comment.
#include "CaseTreeView.h"
#include "CategoryList.h"
#include "CurrentCase.h"
#include "Database.h"
#include "QuietPrompter.h"
#include "RtfWriter.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kRecords = 100000;

// A program folder with kRecords cases (every tenth deleted) under five categories.
class BenchHome {
public:
    BenchHome() : path_(fs::temp_directory_path() / ("qiravel-cases-bench-" + std::to_string(getpid())))
    {
        fs::create_directories(path_ / "dat");
        static const char* kNames[] = {"张三", "李四", "王五", "赵六", "诸葛亮", "ab", "陈", "刘备"};
        static const char* kCategories[] = {"临时保存", "家人", "朋友", "客户", "名人"};
        std::mt19937 rng(1);
        std::string file;
        for (int i = 0; i < kRecords; ++i) {
            CaseRecord r;
            r.recordNo = i;
            r.deleted = i % 10 == 9;
            r.name = kNames[rng() % std::size(kNames)];
            r.category = kCategories[rng() % std::size(kCategories)];
            r.birth = {static_cast<int16_t>(1900 + rng() % 120), 5, 1, 8, 30};
            r.isMale = rng() % 2;
            r.commentName = CommentBaseName(r.name, r.birth) + "_" + std::to_string(i);
            const auto bytes = EncodeCaseRecord(r);
            file.append(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        }
        std::ofstream(path_ / "dat" / "ZiWei.dat", std::ios::binary) << file;
        CategoryList(settings()).WriteAll({"临时保存", "家人", "朋友"});
    }
    ~BenchHome()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    fs::path settings() const { return path_ / "dat" / "zdinit.ini"; }

private:
    fs::path path_;
};

BenchHome& Home()
{
    static BenchHome home;
    return home;
}

void BM_TreeStartUpFill(benchmark::State& state)
{
    MDataBase db;
    db.Open(Home().path());
    QuietPrompter prompter;
    CaseTreeView tree(db, Home().settings(), prompter);
    for (auto _ : state) {
        tree.FillNewest();
        benchmark::DoNotOptimize(tree.topLevelItemCount());
    }
}
BENCHMARK(BM_TreeStartUpFill)->Unit(benchmark::kMillisecond);

void BM_TreeShowAll(benchmark::State& state)
{
    MDataBase db;
    db.Open(Home().path());
    QuietPrompter prompter;
    CaseTreeView tree(db, Home().settings(), prompter);
    for (auto _ : state) {
        tree.ShowAll();
        benchmark::DoNotOptimize(tree.model().CaseCount());
    }
}
BENCHMARK(BM_TreeShowAll)->Unit(benchmark::kMillisecond);

void BM_SearchByNameAndYears(benchmark::State& state)
{
    MDataBase db;
    db.Open(Home().path());
    SearchCriteria c;
    c.namePattern = "张";
    c.nameMode = MatchMode::Contains;
    c.yearFilter = true;
    c.yearFrom = 1950;
    c.yearTo = 1990;
    std::vector<int32_t> found;
    for (auto _ : state) {
        db.Search(c, found);
        benchmark::DoNotOptimize(found.size());
    }
}
BENCHMARK(BM_SearchByNameAndYears)->Unit(benchmark::kMillisecond);

// The comment pane's document as RTF, the comment document and the appended record.
void BM_SaveCaseWith100KbComment(benchmark::State& state)
{
    MDataBase db;
    db.Open(Home().path());
    QTextDocument comment;
    QTextCursor cursor(&comment);
    const QString line = QString::fromUtf8("命主天机，身宫在迁移，一生多变动。Latin text\t");
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int i = 0; i < 1100; ++i) {
        cursor.insertText(line, i % 7 ? QTextCharFormat() : bold);
        if (i % 10 == 9) cursor.insertBlock();
    }
    state.counters["rtf_bytes"] = double(WriteRtf(comment).size());
    CurrentCase current(db);
    ChartInput in;
    in.name = "测试";
    in.birth = {1990, 5, 1, 8, 30};
    current.SetBirthData(in);
    current.SetCast(true);
    int i = 0;
    for (auto _ : state) {
        in.birth.minute = i++ % 60;
        in.birth.hour = (i / 60) % 24;
        current.SetBirthData(in);
        const QByteArray rtf = WriteRtf(comment);
        CaseRecord saved;
        benchmark::DoNotOptimize(current.SaveNew("朋友", std::string_view(rtf.constData(), rtf.size()), saved));
    }
}
BENCHMARK(BM_SaveCaseWith100KbComment)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
