#pragma once
// The place table: dat/dili.ini under the program folder, one section per province, one key
// per city or county, value "D:M*d:m" (longitude degrees and minutes, "*", latitude degrees and
// minutes; east and north positive). A place reads as D + M/60 degrees: the minutes are added
// also when the degrees are negative, so "-74:30" is -73.5.
//
// The provinces are a fixed list whose order the case file relies on; the last entry,
// "未知地", stands for no place and is not a section of the file.
#include <array>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class IniFile;

// The 35 provinces in their fixed order, "未知地" last.
const std::vector<std::string>& ProvinceNames();
inline constexpr int kProvinceCount = 35;
inline constexpr int kUnknownProvince = kProvinceCount - 1;  // "未知地"
inline constexpr const char* kUnknownPlace = "未知地";
// Where "未知地" (and a province without places) stands.
inline constexpr double kUnknownLongitude = 120.0;
inline constexpr double kUnknownLatitude = 30.0;
// The value a missing key reads as.
inline constexpr const char* kDefaultPlaceValue = "120:0*30:0";
// Longest place name the editor takes, in characters.
inline constexpr std::size_t kMaxPlaceNameChars = 10;

// dat/dili.ini under the program folder.
std::filesystem::path PlaceFile(const std::filesystem::path& programFolder);

// Degrees and minutes of a place as stored.
struct PlaceCoordinates {
    int longitudeDegrees = 120;
    int longitudeMinutes = 0;
    int latitudeDegrees = 30;
    int latitudeMinutes = 0;

    double Longitude() const { return longitudeDegrees + longitudeMinutes / 60.0; }
    double Latitude() const { return latitudeDegrees + latitudeMinutes / 60.0; }
    bool operator==(const PlaceCoordinates&) const = default;
};

// The value text as written to the file: "%d:%d*%d:%d".
std::string FormatPlaceValue(const PlaceCoordinates& c);

// The four pieces of a value as text (longitude degrees, minutes, latitude degrees, minutes):
// the text before "*" and after it, each split at its ":". A missing piece is empty.
std::array<std::string, 4> SplitPlaceValue(const std::string& value);

// A value read as numbers; nullopt when a piece is not a decimal integer.
std::optional<PlaceCoordinates> ParsePlaceValue(const std::string& value);

// Checks the four editor fields. An empty or non-numeric degree field counts as -300 and an
// empty or non-numeric minute field as -1, so both fail. Longitude degrees -179..179,
// latitude degrees -89..89, minutes 0..59.
enum class CoordinateCheck { Ok, BadLongitude, BadLatitude };
struct CheckedCoordinates {
    CoordinateCheck result = CoordinateCheck::Ok;
    PlaceCoordinates value;  // meaningful when result is Ok
};
CheckedCoordinates CheckCoordinates(const std::string& longitudeDegrees, const std::string& longitudeMinutes,
                                    const std::string& latitudeDegrees, const std::string& latitudeMinutes);

// A name the file can hold as a key: 1..10 characters, all encodable in GBK, no line break,
// none of "=[]", not starting with ";" or "#", no blank at either end.
bool IsValidPlaceName(const std::string& name);

// One place of a province, for the pick lists.
struct Place {
    std::string name;
    double longitude = kUnknownLongitude;
    double latitude = kUnknownLatitude;
};

// A place found by part of its name.
struct PlaceMatch {
    int province = 0;  // index into ProvinceNames()
    int city = 0;      // index of the place in its province's list, file order
    std::string name;
    double longitude = kUnknownLongitude;
    double latitude = kUnknownLatitude;
};

class PlaceTable {
public:
    // Reads dat/dili.ini of the program folder; a missing file gives empty provinces.
    explicit PlaceTable(const std::filesystem::path& programFolder);
    ~PlaceTable();
    PlaceTable(const PlaceTable&) = delete;
    PlaceTable& operator=(const PlaceTable&) = delete;

    const std::filesystem::path& path() const;

    // Reads the file afresh (edits made by another table object show after this).
    void Reload();

    // Names of the places of a province in file order; empty for "未知地", for an index out
    // of range and for a province the file lacks. This is the editor's list.
    std::vector<std::string> Names(int province) const;

    // The stored value of a place, "120:0*30:0" when it is missing.
    std::string Value(int province, const std::string& name) const;
    bool Has(int province, const std::string& name) const;

    // The pick list of the main window: the places of the province with their degrees. For
    // "未知地", and for a province without places, it is the single place "未知地" at 120°/30°,
    // so a pick always has coordinates. A value that is not four integers reads as 120°/30°.
    std::vector<Place> Choices(int province) const;
    // True when Choices() of the province is the "未知地" stand-in.
    bool FallsBack(int province) const;

    // Writes the value of a place (new or existing) to the file at once. False, with the file
    // and the table unchanged, for "未知地", an index out of range, a name IsValidPlaceName refuses, or a
    // failed write.
    bool Set(int province, const std::string& name, const PlaceCoordinates& coordinates);
    // Deletes a place from the file at once; false, with nothing changed, when the write fails. Deleting a missing
    // place succeeds and changes nothing.
    bool Remove(int province, const std::string& name);

    // Places of all provinces whose name contains `part`: first the exact matches, then those
    // beginning with it, then the rest; within each group in province order, then file order.
    // At most `limit` results; none for an empty part.
    std::vector<PlaceMatch> Find(const std::string& part, std::size_t limit = 50) const;

private:
    // Rereads the places of one province from the file object into the lists.
    void Refresh(int province);

    std::unique_ptr<IniFile> ini_;
    std::vector<std::vector<Place>> places_;  // per province, file order, as read
};
