#pragma once
// The input panel's fields read into a ChartInput through the core's one birth check. A unit of
// its own because the check's header and the place table's both name the province count.
#include "ZiweiexTypes.h"

#include <string>

struct PanelFields {
    std::string name;
    std::string year;  // as typed: historical, negative for BC
    int monthIndex = 0, dayIndex = 0, hourIndex = 0, minuteIndex = 0;
    bool lunar = false, leap = false, male = true;
    int chartKind = 0;
    int provinceIndex = 0, cityIndex = 0;
    std::string place;  // "province-city", or "未知地"
    double longitude = 120, latitude = 30;
};

struct PanelBirth {
    bool ok = false;
    ChartInput input;       // when ok
    bool yearFault = false; // the window puts the focus back on the year
    bool nameEmpty = false; // shown as information, other faults as warnings
    std::string caption;
    std::string text;
};

PanelBirth ReadPanelBirth(const PanelFields& fields);
