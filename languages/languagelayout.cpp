#include "languages/languagelayout.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace {

// A formula over the current sizes and positions; integer division truncates toward zero.
class Formula {
public:
    using Eval = std::function<int32_t(const LanguageLayoutHost&)>;

    Formula(int32_t constant) : eval_([constant](const LanguageLayoutHost&) { return constant; }) {}
    explicit Formula(Eval eval) : eval_(std::move(eval)) {}

    int32_t operator()(const LanguageLayoutHost& host) const { return eval_(host); }

private:
    Eval eval_;
};

Formula operator+(Formula a, Formula b)
{
    return Formula([a, b](const LanguageLayoutHost& host) { return a(host) + b(host); });
}

Formula operator-(Formula a, Formula b)
{
    return Formula([a, b](const LanguageLayoutHost& host) { return a(host) - b(host); });
}

Formula operator*(int32_t factor, Formula a)
{
    return Formula([factor, a](const LanguageLayoutHost& host) { return factor * a(host); });
}

Formula operator/(Formula a, int32_t divisor)
{
    return Formula([a, divisor](const LanguageLayoutHost& host) { return a(host) / divisor; });
}

Formula Read(std::wstring_view control, LayoutProperty property)
{
    return Formula([control, property](const LanguageLayoutHost& host) { return host.Get(control, property); });
}

Formula LeftOf(std::wstring_view control) { return Read(control, LayoutProperty::Left); }
Formula TopOf(std::wstring_view control) { return Read(control, LayoutProperty::Top); }
Formula WidthOf(std::wstring_view control) { return Read(control, LayoutProperty::Width); }
Formula HeightOf(std::wstring_view control) { return Read(control, LayoutProperty::Height); }

// The band that every value panel keeps for its explanation text: a third of the address
// panel's height, the same value for the right column and the wizard whatever their height.
Formula Band() { return HeightOf(L"sPanel6") / 3; }

// The shapes most rules take.
Formula CentredAcross(std::wstring_view parent, std::wstring_view self)
{
    return (WidthOf(parent) - WidthOf(self)) / 2;
}

Formula CentredDown(std::wstring_view parent, std::wstring_view self)
{
    return (HeightOf(parent) - HeightOf(self)) / 2;
}

Formula LeftOfField(std::wstring_view field, std::wstring_view self)
{
    return (LeftOf(field) - WidthOf(self)) / 2;
}

Formula AboveBand(std::wstring_view panel, std::wstring_view self)
{
    return (HeightOf(panel) - Band() - HeightOf(self)) / 2;
}

Formula InBand(std::wstring_view panel, std::wstring_view self)
{
    return HeightOf(panel) - HeightOf(self) - (Band() - HeightOf(self)) / 2;
}

// Centred in part `index` (from 0) of a panel cut into `parts` horizontal slices.
Formula InSlice(std::wstring_view panel, std::wstring_view self, int32_t index, int32_t parts)
{
    return (HeightOf(panel) / parts - HeightOf(self)) / 2 + (index * HeightOf(panel)) / parts;
}

// One k per rule set; the columns are the sets of the indexes 0 9 10 11 | 1 6 | 8 | 2 | 3 4 | 7.
using Constants = std::array<std::optional<int32_t>, 6>;
constexpr std::nullopt_t Skip = std::nullopt;

struct LayoutRule {
    std::wstring_view control;
    LayoutProperty property;
    Formula formula;
    Constants k;
};

constexpr auto Left = LayoutProperty::Left;
constexpr auto Top = LayoutProperty::Top;
constexpr auto Width = LayoutProperty::Width;
constexpr auto Height = LayoutProperty::Height;

// Run in this order: later rules read what earlier ones have set.
const std::vector<LayoutRule>& Rules()
{
    static const std::vector<LayoutRule> rules = {
        // Search view, on the window itself.
        {L"lbSearch", Left, CentredAcross(L"frmMain", L"lbSearch"), {0, 0, 0, 0, 0, 0}},
        {L"lbCountDevice", Left, CentredAcross(L"frmMain", L"lbCountDevice"), {0, 0, 0, 0, 0, 0}},
        {L"pbSearch", Left, CentredAcross(L"frmMain", L"pbSearch"), {0, 0, 0, 0, 0, 0}},
        {L"lbSearch", Top,
         (HeightOf(L"frmMain") - HeightOf(L"pbSearch") - HeightOf(L"lbSearch") - HeightOf(L"lbCountDevice") - 70) / 2,
         {0, 0, 0, 0, 0, 0}},
        {L"pbSearch", Top, TopOf(L"lbSearch") + HeightOf(L"lbSearch"), {20, 20, 20, 20, 20, 20}},
        {L"lbCountDevice", Top, TopOf(L"pbSearch") + HeightOf(L"pbSearch"), {20, 20, 20, 20, 20, 20}},

        // Column headers.
        {L"sLabel1", Top, CentredDown(L"sPanel12", L"sLabel1"), {0, 0, 0, 0, 0, 0}},
        {L"sLabel1", Left, CentredAcross(L"sPanel12", L"sLabel1"), {0, 0, 0, 0, 0, 0}},
        {L"sLabel7", Top, CentredDown(L"sPanel15", L"sLabel7"), {0, 0, 0, 0, 0, 0}},
        {L"sLabel7", Left, CentredAcross(L"sPanel15", L"sLabel7"), {0, 0, 0, 0, 0, 0}},

        // Left column, address.
        {L"cbAddress", Top, AboveBand(L"sPanel6", L"cbAddress"), {0, 0, 0, 0, 0, 0}},
        {L"lbAddress2", Height, 0, {Skip, Skip, Skip, Skip, 76, Skip}},
        {L"lbAddress", Height, 0, {38, 38, 38, 38, 57, 38}},
        {L"lbAddress", Top, TopOf(L"cbAddress"), {4, 4, 4, 4, 4, 12}},
        {L"lbAddress2", Top, InBand(L"sPanel6", L"lbAddress2"), {0, 0, 0, 0, -10, 0}},
        {L"lbAddress", Left, LeftOfField(L"cbAddress", L"lbAddress"), {18, 8, 8, 8, 8, 18}},
        {L"lbAddress2", Left, CentredAcross(L"sPanel6", L"lbAddress2"), {-10, 0, 0, 0, 0, 0}},

        // Left column, supply voltage.
        {L"edRxPower", Top, AboveBand(L"sPanel7", L"edRxPower"), {0, 0, 0, 0, 0, 0}},
        {L"lbRxPower", Height, 0, {38, 38, 38, 57, 38, 38}},
        {L"lbRxPower", Top, TopOf(L"edRxPower"), {4, 4, 4, 4, 4, 4}},
        {L"lbRxPower2", Top, InBand(L"sPanel7", L"lbRxPower2"), {0, 15, 5, 10, 5, 0}},
        {L"lbRxPower", Left, LeftOfField(L"edRxPower", L"lbRxPower"), {4, 4, 4, 4, 4, 4}},
        {L"lbRxPower2", Left, CentredAcross(L"sPanel7", L"lbRxPower2"), {0, 0, 0, 0, 0, 20}},

        // Left column, channel letter.
        {L"edLetter", Top, AboveBand(L"sPanel8", L"edLetter"), {0, 0, 0, 0, 0, 0}},
        {L"lbLetter", Top, TopOf(L"edLetter"), {14, 14, 14, 14, 14, 14}},
        {L"lbLetter2", Top, 0, {98, 98, 98, 98, 88, 98}},
        {L"lbLetter", Left, LeftOfField(L"edLetter", L"lbLetter"), {0, 0, 0, 0, 0, 0}},
        {L"lbLetter2", Left, CentredAcross(L"sPanel8", L"lbLetter2"), {0, 0, 0, 0, 0, 0}},

        // Right column, speed class.
        {L"cbSpeed", Top, CentredDown(L"sPanel11", L"cbSpeed"), {0, 0, 0, 0, 0, 0}},
        {L"lbSpeed", Height, 0, {57, 57, 57, 57, 76, 57}},
        {L"lbSpeed", Top, CentredDown(L"sPanel11", L"lbSpeed"), {0, 0, 12, 12, 0, 0}},
        {L"lbSpeed2", Top, InBand(L"sPanel11", L"lbSpeed2"), {-15, -15, -15, -15, -15, -15}},
        {L"lbSpeed3", Top, (HeightOf(L"cbSpeed") - HeightOf(L"lbSpeed3")) / 2 + TopOf(L"cbSpeed"), {0, 0, 0, 0, 0, 0}},
        {L"lbSpeed", Width, 0, {150, 150, 150, 150, 150, 150}},
        {L"lbSpeed", Left, LeftOfField(L"cbSpeed", L"lbSpeed"), {0, 8, 8, 8, 8, 15}},
        {L"lbSpeed2", Left, CentredAcross(L"sPanel11", L"lbSpeed2"), {0, 0, 0, 0, 0, 10}},

        // Right column, setup entry.
        {L"sLabel2", Top, TopOf(L"sLabel3"), {Skip, Skip, Skip, Skip, Skip, 35}},
        {L"sLabel2", Left, CentredAcross(L"sPanel14", L"sLabel2"), {0, 0, 0, 0, 0, 0}},
        {L"sLabel3", Left, CentredAcross(L"sPanel14", L"sLabel3"), {0, 0, 0, 0, 0, 0}},
        {L"sButton1", Left, CentredAcross(L"sPanel14", L"sButton1"), {0, 0, 0, 0, 0, 0}},

        // Right column, address change. lbAddr2 is placed from its current width, which the
        // address entry may have widened; the common last step narrows it again.
        {L"edAddr", Top, AboveBand(L"sPanel16", L"edAddr"), {15, 15, 15, 15, 15, 15}},
        {L"lbAddr2", Top, TopOf(L"edAddr"), {2, 2, 2, 2, 2, 12}},
        {L"lbAddr", Left, CentredAcross(L"sPanel16", L"lbAddr"), {0, 0, 0, 0, 0, 0}},
        {L"btChangeAddr", Left, CentredAcross(L"sPanel16", L"btChangeAddr"), {0, 0, 0, 0, 0, 0}},
        {L"lbAddr2", Left, LeftOfField(L"edAddr", L"lbAddr2"), {15, 15, 15, 15, 15, 20}},

        // Right column, alignment level, in thirds.
        {L"edUst", Top, InSlice(L"sPanel9", L"edUst", 0, 3), {5, 5, 5, 5, 5, 5}},
        {L"lbUst", Top, TopOf(L"edUst"), {2, 2, 2, 2, 2, 2}},
        {L"lbUst2", Top, InSlice(L"sPanel9", L"lbUst2", 1, 3), {0, 5, 5, 5, 5, 10}},
        {L"btNext", Top, InSlice(L"sPanel9", L"btNext", 2, 3), {0, 0, 0, 0, 0, 0}},
        {L"lbUst", Left, LeftOfField(L"edUst", L"lbUst"), {5, 0, 0, 0, 0, 5}},
        {L"lbUst2", Left, CentredAcross(L"sPanel9", L"lbUst2"), {8, 0, 0, 0, 0, 8}},
        {L"btNext", Left, CentredAcross(L"sPanel9", L"btNext"), {0, Skip, Skip, Skip, Skip, 0}},

        // Right column, threshold, in thirds.
        {L"edTres", Top, InSlice(L"sPanel10", L"edTres", 0, 3), {5, 5, 5, 5, 5, 5}},
        {L"lbTres", Top, TopOf(L"edTres"), {12, 2, 2, 2, 2, 12}},
        {L"lbTres2", Top, InSlice(L"sPanel10", L"lbTres2", 1, 3), {10, 5, 5, 5, 5, 20}},
        {L"btCloseSetting", Top, InSlice(L"sPanel10", L"btCloseSetting", 2, 3), {0, 0, 0, 0, 0, 0}},
        {L"lbTres", Left, LeftOfField(L"edTres", L"lbTres"), {2, 0, 0, 0, 0, 2}},
        {L"lbTres2", Left, CentredAcross(L"sPanel10", L"lbTres2"), {0, 0, 0, 0, 0, 0}},
        {L"btCloseSetting", Left, CentredAcross(L"sPanel10", L"btCloseSetting"), {0, Skip, Skip, Skip, Skip, 0}},

        // Gauge column: the gauge, its click area and scale, the scale numbers chained downwards.
        {L"cZone1", Top, CentredDown(L"sPanel3", L"cZone1") + HeightOf(L"edValue") / 2, {6, 6, 6, 6, 6, 6}},
        {L"PaintBox1", Top, TopOf(L"cZone1"), {0, 0, 0, 0, 0, 0}},
        {L"Image1", Top, TopOf(L"cZone1"), {0, 0, 0, 0, 0, 0}},
        {L"edValue", Top, TopOf(L"cZone1") - HeightOf(L"edValue"), {-12, -12, -12, -12, -12, -12}},
        {L"Label4", Top, TopOf(L"Image1"), {-20, -20, -20, -20, -20, -20}},
        {L"Label3", Top, TopOf(L"Label4"), {115, 115, 115, 115, 115, 115}},
        {L"Label2", Top, TopOf(L"Label3"), {115, 115, 115, 115, 115, 115}},
        {L"Label1", Top, TopOf(L"Label2"), {115, 115, 115, 115, 115, 115}},
        {L"cZone1", Left,
         (WidthOf(L"sPanel3") - WidthOf(L"cZone1") - WidthOf(L"Image1") - WidthOf(L"Label1") - 45) / 2,
         {0, 0, 0, 0, 0, 0}},
        {L"PaintBox1", Left, LeftOf(L"cZone1"), {0, 0, 0, 0, 0, 0}},
        {L"edValue", Left, (WidthOf(L"cZone1") - WidthOf(L"edValue")) / 2 + LeftOf(L"cZone1"), {0, 0, 0, 0, 0, 0}},
        {L"Image1", Left, LeftOf(L"cZone1") + WidthOf(L"cZone1"), {25, 25, 25, 25, 25, 25}},
        {L"Label1", Left, LeftOf(L"Image1") + WidthOf(L"Image1"), {20, 20, 20, 20, 20, 20}},
        {L"Label2", Left, LeftOf(L"Label1"), {0, 0, 0, 0, 0, 0}},
        {L"Label3", Left, LeftOf(L"Label1"), {0, 0, 0, 0, 0, 0}},
        {L"Label4", Left, LeftOf(L"Label1"), {0, 0, 0, 0, 0, 0}},
        {L"pbWaitTres", Left, CentredAcross(L"sPanel3", L"pbWaitTres"), {0, 0, 0, 0, 0, 0}},
        {L"lbWaitTres", Left, CentredAcross(L"sPanel3", L"lbWaitTres"), {0, 0, 0, 0, 0, 0}},

        // Wizard, address step.
        {L"cbStepAddress", Top, AboveBand(L"PanelAddress", L"cbStepAddress"), {5, 5, 5, 5, 5, 5}},
        {L"lbStepAddress", Height, 0, {38, 38, 38, 38, 38, 38}},
        {L"lbStepAddress", Top, TopOf(L"cbStepAddress"), {4, 4, 4, 4, 4, 12}},
        {L"lbStepAddress2", Top, InBand(L"PanelAddress", L"lbStepAddress2"), {0, 0, 0, 0, 0, 0}},
        {L"cbStepAddress", Left, 0, {210, 210, 210, 210, 210, 210}},
        {L"lbStepAddress", Left, LeftOfField(L"cbStepAddress", L"lbStepAddress"), {18, 8, 8, 8, 8, 18}},
        {L"lbStepAddress2", Left, CentredAcross(L"PanelAddress", L"lbStepAddress2"), {-10, 0, 0, 0, 0, 0}},

        // Wizard, supply voltage step, lined up with the address step.
        {L"edStepRxPower", Top, TopOf(L"cbStepAddress"), {0, 0, 0, 0, 0, 0}},
        {L"lbStepRxPower", Height, 0, {38, 38, 38, 38, 38, 38}},
        {L"lbStepRxPower", Top, TopOf(L"edStepRxPower"), {4, 4, 4, 4, 4, 12}},
        {L"lbStepRxPower2", Height, 0, {Skip, Skip, Skip, 38, Skip, Skip}},
        {L"lbStepRxPower2", Top, InBand(L"PanelRxPower", L"lbStepRxPower2"), {-10, -10, -10, -10, -10, -10}},
        {L"edStepRxPower", Left, 0, {210, 210, 210, 210, 210, 210}},
        {L"lbStepRxPower", Left, LeftOf(L"lbStepAddress"), {-12, -12, -12, -12, -12, -12}},
        {L"lbStepRxPower2", Left, CentredAcross(L"PanelRxPower", L"lbStepRxPower2"), {0, 0, 0, 0, 0, Skip}},

        // Wizard, channel letter step.
        {L"edStepLetter", Top, TopOf(L"cbStepAddress"), {0, 0, 0, 0, 0, 0}},
        {L"lbStepLetter", Top, TopOf(L"edStepLetter"), {14, 14, 14, 14, 14, 14}},
        {L"lbStepLetter2", Top, TopOf(L"lbStepAddress2"), {0, 0, 0, 0, 0, 0}},
        {L"edStepLetter", Left, 0, {210, 210, 210, 210, 210, 210}},
        {L"lbStepLetter", Left, LeftOfField(L"edStepLetter", L"lbStepLetter"), {0, 0, 0, 0, 0, 0}},
        {L"lbStepLetter2", Left, CentredAcross(L"PanelLetter", L"lbStepLetter2"), {0, 0, 0, 0, 0, 0}},

        // Wizard, speed class step.
        {L"cbStepSpeed", Top, TopOf(L"edStepLetter"), {0, 0, 0, 0, 0, 0}},
        {L"lbStepSpeed", Height, 0, {38, 38, 38, 57, 76, 38}},
        {L"lbStepSpeed", Top, TopOf(L"cbStepSpeed"), {0, 0, 0, 0, 0, 12}},
        {L"lbStepSpeed3", Top, (HeightOf(L"cbStepSpeed") - HeightOf(L"lbStepSpeed3")) / 2 + TopOf(L"cbStepSpeed"),
         {0, 0, 0, 0, 0, 0}},
        {L"lbStepSpeed2", Top, InBand(L"PanelSpeed", L"lbStepSpeed2"), {-25, -25, -25, -25, -25, -25}},
        {L"lbStepSpeed", Left, 0, {15, 15, 15, 15, 15, 15}},
        {L"cbStepSpeed", Left, LeftOf(L"lbStepSpeed") + WidthOf(L"lbStepSpeed"), {10, 10, 10, 10, 10, 10}},
        {L"lbStepSpeed2", Left, CentredAcross(L"PanelSpeed", L"lbStepSpeed2"), {20, 20, 20, 20, 20, 20}},
        {L"lbStepSpeed3", Left, LeftOf(L"cbStepSpeed") + WidthOf(L"cbStepSpeed"), {10, 10, 10, 10, 10, 10}},

        // Wizard, address change.
        {L"edStepAddr", Top, AboveBand(L"PanelNumberChange", L"edStepAddr"), {15, 15, 15, 15, 15, 15}},
        {L"lbStepAddr2", Top, TopOf(L"edStepAddr"), {2, 2, 2, 2, 2, 2}},
        {L"btStepChangeAddr", Top, TopOf(L"lbStepAddr2") + HeightOf(L"lbStepAddr2"), {25, 25, 25, 25, 25, 25}},
        {L"btStepOk", Top, TopOf(L"btStepChangeAddr"), {0, 0, 0, 0, 0, 0}},
        {L"btStepCancel", Top, TopOf(L"btStepChangeAddr"), {0, 0, 0, 0, 0, 0}},
        {L"lbStepAddr", Left, CentredAcross(L"PanelNumberChange", L"lbStepAddr"), {0, 0, 0, 0, 0, 0}},
        {L"btStepChangeAddr", Left, CentredAcross(L"PanelNumberChange", L"btStepChangeAddr"), {0, 0, 0, 0, 0, 0}},
        {L"lbStepAddr2", Left, LeftOfField(L"edStepAddr", L"lbStepAddr2"), {-30, -30, -30, -30, -30, -30}},

        // Wizard, alignment level step, in halves. Its caption is measured from the monitoring
        // view's field in every set but Korean's.
        {L"edStepUst", Top, InSlice(L"PanelUst", L"edStepUst", 0, 2), {55, 55, 55, 55, 55, 55}},
        {L"lbStepUst", Top, TopOf(L"edStepUst"), {2, 2, 2, 2, 2, 2}},
        {L"lbStepUst2", Top, InSlice(L"PanelUst", L"lbStepUst2", 1, 2), {0, 5, 5, 5, 5, 10}},
        {L"lbStepUst", Left, LeftOfField(L"edUst", L"lbStepUst"), {5, 0, 0, 0, 0, Skip}},
        {L"lbStepUst", Left, LeftOfField(L"edStepUst", L"lbStepUst"), {Skip, Skip, Skip, Skip, Skip, 5}},
        {L"lbStepUst2", Left, CentredAcross(L"PanelUst", L"lbStepUst2"), {8, 0, 0, 0, 0, 8}},
    };
    return rules;
}

// The column of Constants for a language index, none for indexes without a layout.
std::optional<size_t> RuleSet(int language)
{
    constexpr std::array<int, 12> kColumns = {0, 1, 3, 4, 4, -1, 1, 5, 2, 0, 0, 0};
    if (language < 0 || language >= static_cast<int>(kColumns.size()) || kColumns[language] < 0)
        return std::nullopt;
    return static_cast<size_t>(kColumns[language]);
}

}  // namespace

void ApplyLanguageLayout(LanguageLayoutHost& host, int language)
{
    if (const std::optional<size_t> column = RuleSet(language)) {
        for (const LayoutRule& rule : Rules()) {
            if (const std::optional<int32_t> k = rule.k[*column])
                host.Set(rule.control, rule.property, rule.formula(host) + *k);
        }
    }
    host.Set(L"lbAddr2", Width, 121);
}
