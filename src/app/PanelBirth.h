#pragma once
// The input panel's fields as the user left them, read into a ChartInput.
#include "ZiweiexTypes.h"

#include <string>

struct BirthFields {
    std::string name;
    std::string year;  // as typed: historical, negative for BC
    int monthIndex = 0, dayIndex = 0, hourIndex = 0, minuteIndex = 0;
    bool lunar = false, leap = false, male = true;
    int chartKind = 0;
    int provinceIndex = 0, cityIndex = 0;
    std::string province, city;
    bool unknownPlace = false;
    float longitude = 120.0f, latitude = 30.0f;
};

enum class BirthFault { None, Name, Year };

struct BirthCheck {
    BirthFault fault = BirthFault::None;
    std::string message;
    ChartInput input;
};

BirthCheck CheckBirthInput(const BirthFields& fields);
