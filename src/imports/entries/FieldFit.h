// How much a text looks like a course, a teacher or a room, by its content alone: the
// evidence by which the sniffer tells one field order from another. 0 is "never", 1 "surely".
#pragma once

#include <string_view>

namespace orvanto::imports {

// "高等数学(2-2)", "大学英语Ⅱ", "软件构造(实验)".
double courseFitOf(std::string_view text);
// "王芳", "王芳副教授", "李晓旭(讲师（高校）)", "贾瑜,李欣蕾", "刘峰 等".
double teacherFitOf(std::string_view text);
// "南教401", "致新楼-203", "二教106(成都校区)", "田径场", "网络课程", "A101".
double roomFitOf(std::string_view text);

} // namespace orvanto::imports
