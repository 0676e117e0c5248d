#include "PanelBirth.h"

#include "BirthInput.h"

PanelBirth ReadPanelBirth(const PanelFields& f)
{
    BirthEntry entry;
    entry.name = f.name;
    entry.place = f.place;
    entry.year = f.year;
    entry.month = f.monthIndex + 1;
    entry.day = f.dayIndex + 1;
    entry.hour = f.hourIndex;
    entry.minute = f.minuteIndex;
    entry.lunar = f.lunar;
    entry.leap = f.leap;
    entry.sex = f.male ? "男" : "女";
    entry.chartKind = f.chartKind;
    entry.provinceIndex = f.provinceIndex;
    entry.cityIndex = f.cityIndex;
    entry.longitude = f.longitude;
    entry.latitude = f.latitude;
    const BirthCheck check = CheckBirth(entry);
    PanelBirth result;
    result.ok = check.ok();
    if (result.ok) {
        result.input = check.input;
        return result;
    }
    result.yearFault = check.fault == BirthFault::Year;
    result.nameEmpty = check.fault == BirthFault::NameEmpty;
    result.caption = BirthFaultCaption(check.fault);
    result.text = BirthFaultText(check.fault);
    return result;
}
