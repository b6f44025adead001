#pragma once

class wxDataViewItemAttr;

// Which way a profit leans, and so its colour in a list: the host's up colour
// above 0, its down colour below 0, the cell's own colour at 0.
enum class ProfitTrend { Flat, Up, Down };

ProfitTrend TrendOfProfit(double profit);
// Colours the text of a profit cell; a flat profit leaves the attribute as it was.
void ColourProfit(double profit, wxDataViewItemAttr& attr);
