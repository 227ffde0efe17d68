#pragma once
// The OLE date value: days since 30 December 1899 at midnight, the fraction being the time of day.
// The value 0 is the zero date, which the system treats as "no date".

#include <optional>
#include <string>
#include <string_view>

class COleDateTime {
  public:
    COleDateTime() = default;  // the zero date
    explicit COleDateTime(double value) : m_dt(value) {}
    // Years 100 to 9999; parts that make no valid date and time give the zero date.
    COleDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    static COleDateTime GetCurrentTime();  // local time, to the second
    static COleDateTime Today();           // local date at midnight

    // Parses a date the way the user's default locale reads it; the locale here is French:
    // day/month/year, separators '/', '.' or '-', a two-digit year below 30 meaning 20xx and
    // otherwise 19xx, an optional time "hh:mm[:ss]" after a blank. Leading and trailing white
    // space is ignored. Nothing for text that is not a valid date.
    static std::optional<COleDateTime> ParseDateTime(std::string_view text);

    // ISO text as the SQLite database stores dates: "YYYY-MM-DD" when the time is midnight,
    // "YYYY-MM-DD HH:MM:SS" otherwise. FromIso also accepts a 'T' between date and time.
    std::string ToIso() const;
    static std::optional<COleDateTime> FromIso(std::string_view iso);

    // strftime-style formatting; "%x" is the French short date "dd/mm/yyyy", "%X" the time
    // "hh:mm:ss".
    std::string Format(const char* format = "%x") const;

    // The parts are rounded to the nearest second; a value outside years 100 to 9999 reads as
    // the zero date.
    bool IsZero() const { return m_dt == 0.0; }
    double GetValue() const { return m_dt; }
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    friend bool operator==(const COleDateTime&, const COleDateTime&) = default;
    friend auto operator<=>(const COleDateTime&, const COleDateTime&) = default;

  private:
    double m_dt = 0.0;
};
