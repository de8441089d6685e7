#pragma once
// The PNG half of `srmtool scores --chart`, kept apart from the command
// library because it needs Qt GUI (and a QGuiApplication for the fonts).

#include "tool_chart.h"

namespace sorami::tool {

bool paintChartPng(const ChartPicture& picture, QByteArray& png, QString& why);

} // namespace sorami::tool
