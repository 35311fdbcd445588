#include "languages/texts/textrows.h"

namespace languages {

// For an index that names no language: a few captions of the monitoring view in Russian,
// and nothing else, so every message string keeps its previous text.
const TextBlock& FallbackBlock()
{
    static const TextBlock rows = {
        {WindowCaption(), Text(L"Config Zirvane series v2.65")},
        {CaptionOf(L"sLabel1"), Text(L"Сведения об извещателе")},
        {CaptionOf(L"lbAddress"), Text(L"Уникальный\r\n    номер\r\nизвещателя")},
        {CaptionOf(L"lbAddress2"), Text(L"Выберите необходимый номер       извещателя на линии")},
        {CaptionOf(L"lbRxPower"), Text(L"   Напряжение\r\n      питания\r\nна приёмнике (В)")},
        {CaptionOf(L"lbRxPower2"), Text(L"Допустимый диапазон питания              от 9 В до 30 В")},
        {CaptionOf(L"lbLetter"), Text(L"Литера")},
        {CaptionOf(L"lbLetter2"), Text(L"Номер литеры, установленный на       приёмнике должен совпадать с             литерой на передатчике")},
        {CaptionOf(L"sLabel7"), Text(L"Панель настройки извещателя")},
        {CaptionOf(L"lbUst"), Text(L"Уровень входного\r\n     cигнала на\r\n     приёмнике")},
        {CaptionOf(L"lbTres"), Text(L" Значение порога\r\nчувствительности")},
        {CaptionOf(L"lbSpeed"), Text(L"       Скорость\r\n    преодоления\r\nохраняемой зоны")},
        {CaptionOf(L"lbSpeed2"), Text(L"2- высокая скорость (до 10 м/с)\r\n1- средняя скорость (до 4 м/с)\r\n0- низкая скорость (до 1 м/с)")},
        {CaptionOf(L"lbWaitTres"), Text(L"Установка порога...")},
        {CaptionOf(L"lbCountDevice"), Text(L"Найдено : 0")},
    };
    return rows;
}

}  // namespace languages
