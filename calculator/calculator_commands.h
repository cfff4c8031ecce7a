#pragma once

#include "calculator/arithmetic.h"

#include <QString>

#include <functional>

// The calculator's commands on the texts of its boxes, apart from the window: each returns what
// the window shows, or throws the conversion or overflow error that ends the command.

// Notice bodies; every calculator notice has the caption NoticeCaptionError.
inline constexpr const char* NoticeCaptionError = "错误！";
inline constexpr const char* NoticeFirstMissing = "您忘记输入第一个数了！";
inline constexpr const char* NoticeSecondMissing = "您忘记输入第二个数了！";
inline constexpr const char* NoticeBadFormat = "您输入数据格式不对！";
inline constexpr const char* NoticeZeroDivisor = "倒数不能是0吧！";
inline constexpr const char* NoticeZeroOperand = "您输入数据是0！";
inline constexpr const char* NoticeConvertMissing = "您忘记输入要转换的数了！";
inline constexpr const char* NoticeOverRange = "大于2147483647将导致错误的结果！";

// Button7's caption: the direction of its next conversion.
inline constexpr const char* CaptionHexToDecimal = "16 -->10";
inline constexpr const char* CaptionDecimalToHex = "10 -->16";

// Either a notice (the result box keeps its text) or the result box's new text.
struct CommandOutcome {
    QString notice;
    QString result;
};

// +, -, *, / on the two operand texts.
CommandOutcome Arithmetic(Operation operation, const QString& first, const QString& second);

// X ^ Y: the base text raised to the whole, non-negative exponent text. whileBusy is called now
// and then during a long computation (see PowerProduct).
CommandOutcome Power(const QString& base, const QString& exponent,
                     const std::function<void()>& whileBusy = {});

struct SumOutcome {
    QString notice;           // a notice in place of the sum
    bool selectFirst = false; // select the whole first operand and give it the focus
    double total = 0.0;       // the running total afterwards
    QString result;           // the result box's new text when there is no notice
};

// Sum: adds the operand text to the running total.
SumOutcome Sum(const QString& operand, double total);

struct ConversionOutcome {
    QString caption; // Button7's caption afterwards
    QString notice;  // a notice to show, if any
    QString result;  // the result box's new text; null when it keeps its text
};

// Base conversion of the result box's text in the direction the caption names.
ConversionOutcome ConvertBase(const QString& text, const QString& caption);
