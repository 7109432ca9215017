#include "platform/classes/FormText.h"

#include "platform/rtl/Exceptions.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

enum TTokenKind { toEof, toSymbol, toString, toInteger, toFloat, toBinary, toChar };

struct TToken {
    TTokenKind Kind = toEof;
    String Text;       // symbol name, string value, or the punctuation char
    std::int64_t Int = 0;
    double Float = 0;
    QByteArray Binary;
    int Line = 1;
};

class TFormLexer {
public:
    TFormLexer(const String& Text, const String& Source) : FText(Text), FSource(Source) {}

    [[noreturn]] void Error(int Line, const String& What) const
    {
        throw EReadError(QStringLiteral("%1(%2): %3").arg(FSource).arg(Line).arg(What));
    }

    TToken Next()
    {
        SkipBlanks();
        TToken T;
        T.Line = FLine;
        if (AtEnd())
            return T;
        const QChar C = Peek();
        if (C.isLetter() || C == QLatin1Char('_')) {
            T.Kind = toSymbol;
            while (!AtEnd() && (Peek().isLetterOrNumber() || Peek() == QLatin1Char('_')))
                T.Text += Take();
            return T;
        }
        if (C == QLatin1Char('\'') || C == QLatin1Char('#')) {
            T.Kind = toString;
            T.Text = ReadStringToken();
            return T;
        }
        if (C.isDigit() || C == QLatin1Char('$')
            || (C == QLatin1Char('-') && FPos + 1 < FText.size()
                && (FText.at(FPos + 1).isDigit() || FText.at(FPos + 1) == QLatin1Char('$')))) {
            ReadNumber(T);
            return T;
        }
        if (C == QLatin1Char('{')) {
            Take();
            T.Kind = toBinary;
            T.Binary = ReadBinary(T.Line);
            return T;
        }
        T.Kind = toChar;
        T.Text = Take();
        return T;
    }

private:
    bool AtEnd() const { return FPos >= FText.size(); }
    QChar Peek() const { return FText.at(FPos); }
    QChar Take()
    {
        const QChar C = FText.at(FPos++);
        if (C == QLatin1Char('\n'))
            ++FLine;
        return C;
    }

    void SkipBlanks()
    {
        while (!AtEnd() && Peek().unicode() <= ' ')
            Take();
    }

    String ReadStringToken()
    {
        String Result;
        const int StartLine = FLine;
        while (!AtEnd()) {
            const QChar C = Peek();
            if (C == QLatin1Char('\'')) {
                Take();
                for (;;) {
                    if (AtEnd() || Peek() == QLatin1Char('\n') || Peek() == QLatin1Char('\r'))
                        Error(StartLine, QStringLiteral("Unterminated string"));
                    const QChar D = Take();
                    if (D == QLatin1Char('\'')) {
                        if (!AtEnd() && Peek() == QLatin1Char('\'')) {
                            Take();
                            Result += QLatin1Char('\'');
                            continue;
                        }
                        break;
                    }
                    Result += D;
                }
            } else if (C == QLatin1Char('#')) {
                Take();
                std::int64_t Code = 0;
                bool Any = false;
                if (!AtEnd() && Peek() == QLatin1Char('$')) {
                    Take();
                    while (!AtEnd() && isxdigit(Peek().unicode() < 128 ? Peek().toLatin1() : 'x')) {
                        Code = Code * 16 + QString(Take()).toInt(nullptr, 16);
                        Any = true;
                        if (Code > 0x10FFFF)
                            break;
                    }
                } else {
                    while (!AtEnd() && Peek().isDigit() && Peek().unicode() < 128) {
                        Code = Code * 10 + (Take().unicode() - '0');
                        Any = true;
                        if (Code > 0x10FFFF)
                            break;
                    }
                }
                if (!Any || Code > 0x10FFFF)
                    Error(FLine, QStringLiteral("Invalid character code"));
                const char32_t U = char32_t(Code);
                Result += QString::fromUcs4(&U, 1);
            } else {
                break;
            }
        }
        return Result;
    }

    void ReadNumber(TToken& T)
    {
        String Text;
        bool Negative = false;
        if (Peek() == QLatin1Char('-')) {
            Take();
            Negative = true;
        }
        if (Peek() == QLatin1Char('$')) {
            Take();
            while (!AtEnd() && Peek().unicode() < 128 && isxdigit(Peek().toLatin1()))
                Text += Take();
            bool Ok = false;
            const quint64 V = Text.toULongLong(&Ok, 16);
            if (!Ok || Text.size() > 16)
                Error(T.Line, QStringLiteral("Invalid integer value"));
            T.Kind = toInteger;
            // Hex is the 64-bit pattern: negated without overflow, so
            // -$8000000000000000 is the lowest Int64.
            T.Int = std::int64_t(Negative ? 0 - V : V);
            return;
        }
        bool IsFloat = false;
        while (!AtEnd()) {
            const QChar C = Peek();
            if (C.isDigit() && C.unicode() < 128) {
                Text += Take();
            } else if (C == QLatin1Char('.') && !IsFloat && FPos + 1 < FText.size() && FText.at(FPos + 1).isDigit()) {
                IsFloat = true;
                Text += Take();
            } else if ((C == QLatin1Char('e') || C == QLatin1Char('E')) && FPos + 1 < FText.size()) {
                IsFloat = true;
                Text += Take();
                if (!AtEnd() && (Peek() == QLatin1Char('+') || Peek() == QLatin1Char('-')))
                    Text += Take();
            } else {
                break;
            }
        }
        // The classic single/currency/date suffixes carry no meaning here.
        if (!AtEnd() && IsFloat && QStringLiteral("sScCdD").contains(Peek()))
            Take();
        bool Ok = false;
        if (IsFloat) {
            const double V = Text.toDouble(&Ok);
            if (!Ok || !std::isfinite(V))
                Error(T.Line, QStringLiteral("Invalid floating point value"));
            T.Kind = toFloat;
            T.Float = Negative ? -V : V;
        } else {
            // Read with its sign, so the lowest Int64 the writer prints
            // reads back.
            const qint64 V = (Negative ? QLatin1Char('-') + Text : Text).toLongLong(&Ok);
            if (!Ok)
                Error(T.Line, QStringLiteral("Invalid integer value"));
            T.Kind = toInteger;
            T.Int = V;
        }
    }

    QByteArray ReadBinary(int StartLine)
    {
        QByteArray Hex;
        for (;;) {
            if (AtEnd())
                Error(StartLine, QStringLiteral("Invalid binary value: '}' expected"));
            const QChar C = Take();
            if (C == QLatin1Char('}'))
                break;
            if (C.unicode() <= ' ')
                continue;
            if (C.unicode() >= 128 || !isxdigit(C.toLatin1()))
                Error(FLine, QStringLiteral("Invalid binary value"));
            Hex.append(C.toLatin1());
        }
        if (Hex.size() % 2 != 0)
            Error(StartLine, QStringLiteral("Invalid binary value"));
        return QByteArray::fromHex(Hex);
    }

    String FText;
    String FSource;
    int FPos = 0;
    int FLine = 1;
};

class TFormParser {
public:
    TFormParser(const String& Text, const String& Source) : FLexer(Text, Source) { Advance(); }

    TFormObject ParseRoot()
    {
        if (FToken.Kind == toEof)
            Error(QStringLiteral("'object' expected but end of file found"));
        TFormObject Root = ParseObject();
        if (FToken.Kind != toEof)
            Error(QStringLiteral("End of file expected"));
        return Root;
    }

private:
    [[noreturn]] void Error(const String& What) const { FLexer.Error(FToken.Line, What); }

    void Advance() { FToken = FLexer.Next(); }

    bool IsChar(char C) const { return FToken.Kind == toChar && FToken.Text == QLatin1Char(C); }
    bool IsSymbol(const char* Word) const
    {
        return FToken.Kind == toSymbol && FToken.Text.compare(QLatin1String(Word), Qt::CaseInsensitive) == 0;
    }

    void Expect(char C)
    {
        if (!IsChar(C))
            Error(QStringLiteral("'%1' expected").arg(QLatin1Char(C)));
        Advance();
    }

    String ExpectSymbol(const String& What)
    {
        if (FToken.Kind != toSymbol)
            Error(What);
        String S = FToken.Text;
        Advance();
        return S;
    }

    bool AtObjectHeader()
    {
        return IsSymbol("object") || IsSymbol("inherited") || IsSymbol("inline");
    }

    // Damaged or hostile text must not exhaust the stack.
    static constexpr int MaxNesting = 256;

    struct TNesting {
        TNesting(TFormParser& P) : FParser(P)
        {
            if (++FParser.FDepth > MaxNesting)
                FParser.Error(QStringLiteral("Nesting too deep"));
        }
        ~TNesting() { --FParser.FDepth; }
        TFormParser& FParser;
    };

    TFormObject ParseObject()
    {
        TNesting Guard(*this);
        TFormObject Obj;
        Obj.Line = FToken.Line;
        if (IsSymbol("object"))
            Obj.Kind = fokObject;
        else if (IsSymbol("inherited"))
            Obj.Kind = fokInherited;
        else if (IsSymbol("inline"))
            Obj.Kind = fokInline;
        else
            Error(QStringLiteral("'object' expected"));
        Advance();
        String First = ExpectSymbol(QStringLiteral("Identifier expected"));
        if (IsChar(':')) {
            Advance();
            Obj.Name = First;
            Obj.ClassName = ExpectSymbol(QStringLiteral("Class name expected"));
        } else {
            Obj.ClassName = First;
        }
        if (IsChar('[')) {
            Advance();
            if (FToken.Kind != toInteger)
                Error(QStringLiteral("Integer expected"));
            Obj.Position = int(FToken.Int);
            Advance();
            Expect(']');
        }
        const String Title = Obj.Name.isEmpty() ? Obj.ClassName : Obj.Name;
        for (;;) {
            if (FToken.Kind == toEof)
                FLexer.Error(Obj.Line,
                             QStringLiteral("Unterminated object %1: 'end' expected").arg(QuotedInput(Title)));
            if (IsSymbol("end")) {
                Advance();
                break;
            }
            if (AtObjectHeader()) {
                Obj.Children.push_back(ParseObject());
                continue;
            }
            if (!Obj.Children.empty())
                Error(QStringLiteral("'end' expected"));
            Obj.Properties.push_back(ParseProperty());
        }
        return Obj;
    }

    TFormProperty ParseProperty()
    {
        TFormProperty Prop;
        Prop.Line = FToken.Line;
        Prop.Name = ExpectSymbol(QStringLiteral("Identifier expected"));
        while (IsChar('.')) {
            Advance();
            Prop.Name += QLatin1Char('.') + ExpectSymbol(QStringLiteral("Identifier expected"));
        }
        Expect('=');
        Prop.Value = ParseValue();
        return Prop;
    }

    TFormValue ParseValue()
    {
        TNesting Guard(*this);
        TFormValue V;
        V.Line = FToken.Line;
        switch (FToken.Kind) {
        case toInteger:
            V.Int = FToken.Int;
            V.Type = (V.Int >= std::numeric_limits<std::int32_t>::min() && V.Int <= std::numeric_limits<std::int32_t>::max())
                ? vaInt32
                : vaInt64;
            Advance();
            return V;
        case toFloat:
            V.Type = vaExtended;
            V.Float = FToken.Float;
            Advance();
            return V;
        case toString:
            V.Type = vaString;
            V.Str = FToken.Text;
            Advance();
            while (IsChar('+')) {
                Advance();
                if (FToken.Kind != toString)
                    Error(QStringLiteral("String expected"));
                V.Str += FToken.Text;
                Advance();
            }
            return V;
        case toBinary:
            V.Type = vaBinary;
            V.Binary = FToken.Binary;
            Advance();
            return V;
        case toSymbol:
            if (IsSymbol("True")) {
                V.Type = vaTrue;
            } else if (IsSymbol("False")) {
                V.Type = vaFalse;
            } else if (IsSymbol("nil")) {
                V.Type = vaNil;
            } else {
                V.Type = vaIdent;
                V.Str = FToken.Text;
                Advance();
                while (IsChar('.')) {
                    Advance();
                    V.Str += QLatin1Char('.') + ExpectSymbol(QStringLiteral("Identifier expected"));
                }
                return V;
            }
            Advance();
            return V;
        case toChar:
            break;
        case toEof:
            Error(QStringLiteral("Property value expected but end of file found"));
        }
        if (IsChar('[')) {
            V.Type = vaSet;
            Advance();
            while (!IsChar(']')) {
                V.SetItems.append(ExpectSymbol(QStringLiteral("Identifier expected")));
                if (IsChar(','))
                    Advance();
                else if (!IsChar(']'))
                    Error(QStringLiteral("']' expected"));
            }
            Advance();
            return V;
        }
        if (IsChar('(')) {
            V.Type = vaList;
            Advance();
            while (!IsChar(')')) {
                if (FToken.Kind == toEof)
                    FLexer.Error(V.Line, QStringLiteral("')' expected but end of file found"));
                V.Items.push_back(ParseValue());
            }
            Advance();
            return V;
        }
        if (IsChar('<')) {
            V.Type = vaCollection;
            Advance();
            while (!IsChar('>')) {
                if (!IsSymbol("item"))
                    Error(QStringLiteral("'item' expected"));
                TFormCollectionItem Item;
                Item.Line = FToken.Line;
                Advance();
                while (!IsSymbol("end")) {
                    if (FToken.Kind == toEof)
                        FLexer.Error(Item.Line, QStringLiteral("Unterminated item: 'end' expected"));
                    Item.Properties.push_back(ParseProperty());
                }
                Advance();
                V.CollectionItems.push_back(std::move(Item));
            }
            Advance();
            return V;
        }
        Error(QStringLiteral("Invalid property value"));
    }

    TFormLexer FLexer;
    TToken FToken;
    int FDepth = 0;
};

String DecodeUtf8(const QByteArray& Text)
{
    QByteArray Bytes = Text;
    if (Bytes.startsWith("\xEF\xBB\xBF"))
        Bytes.remove(0, 3);
    return String::fromUtf8(Bytes);
}

// --- printing -----------------------------------------------------------------

class TFormPrinter {
public:
    QByteArray Result() const { return FOut.toUtf8(); }

    void Object(const TFormObject& Obj, int Indent)
    {
        static const char* const Words[] = {"object", "inherited", "inline"};
        Line(Indent);
        FOut += QLatin1String(Words[Obj.Kind]) + QLatin1Char(' ');
        if (!Obj.Name.isEmpty())
            FOut += Obj.Name + QStringLiteral(": ");
        FOut += Obj.ClassName;
        if (Obj.Position >= 0)
            FOut += QStringLiteral(" [%1]").arg(Obj.Position);
        FOut += QLatin1Char('\n');
        for (const TFormProperty& P : Obj.Properties)
            Property(P, Indent + 1);
        for (const TFormObject& Child : Obj.Children)
            Object(Child, Indent + 1);
        Line(Indent);
        FOut += QStringLiteral("end\n");
    }

private:
    void Line(int Indent) { FOut += String(Indent * 2, QLatin1Char(' ')); }

    void Property(const TFormProperty& P, int Indent)
    {
        Line(Indent);
        FOut += P.Name + QStringLiteral(" = ");
        Value(P.Value, Indent);
        FOut += QLatin1Char('\n');
    }

    void Value(const TFormValue& V, int Indent)
    {
        switch (V.Type) {
        case vaNull:
            FOut += QStringLiteral("Null");
            break;
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            FOut += QString::number(V.Int);
            break;
        case vaExtended:
        case vaSingle:
        case vaCurrency:
        case vaDate:
        case vaDouble:
            FOut += FloatText(V.Float);
            break;
        case vaString:
        case vaLString:
        case vaWString:
        case vaUTF8String:
            StringValue(V.Str, Indent);
            break;
        case vaIdent:
            FOut += V.Str;
            break;
        case vaFalse:
            FOut += QStringLiteral("False");
            break;
        case vaTrue:
            FOut += QStringLiteral("True");
            break;
        case vaNil:
            FOut += QStringLiteral("nil");
            break;
        case vaSet:
            FOut += QLatin1Char('[') + V.SetItems.join(QStringLiteral(", ")) + QLatin1Char(']');
            break;
        case vaBinary: {
            FOut += QLatin1Char('{');
            const QByteArray Hex = V.Binary.toHex().toUpper();
            for (int I = 0; I < Hex.size(); I += 64) {
                FOut += QLatin1Char('\n');
                Line(Indent + 1);
                FOut += QString::fromLatin1(Hex.mid(I, 64));
            }
            FOut += QLatin1Char('}');
            break;
        }
        case vaList:
            FOut += QLatin1Char('(');
            for (const TFormValue& Item : V.Items) {
                FOut += QLatin1Char('\n');
                Line(Indent + 1);
                Value(Item, Indent + 1);
            }
            FOut += QLatin1Char(')');
            break;
        case vaCollection:
            FOut += QLatin1Char('<');
            for (const TFormCollectionItem& Item : V.CollectionItems) {
                FOut += QLatin1Char('\n');
                Line(Indent + 1);
                FOut += QStringLiteral("item\n");
                for (const TFormProperty& P : Item.Properties)
                    Property(P, Indent + 2);
                Line(Indent + 1);
                FOut += QStringLiteral("end");
            }
            FOut += QLatin1Char('>');
            break;
        }
    }

    static String FloatText(double Value)
    {
        if (!std::isfinite(Value))
            Value = 0;
        String S = QString::number(Value, 'g', QLocale::FloatingPointShortest).toUpper();
        S.replace(QStringLiteral("E+"), QStringLiteral("E"));
        if (!S.contains(QLatin1Char('.')) && !S.contains(QLatin1Char('E')))
            S += QStringLiteral(".0");
        return S;
    }

    // One quoted piece: printable characters between quotes, control
    // characters as #n codes.
    static String Quote(const String& S)
    {
        String Out;
        bool InQuotes = false;
        for (const QChar C : S) {
            if (C.unicode() < 32) {
                if (InQuotes) {
                    Out += QLatin1Char('\'');
                    InQuotes = false;
                }
                Out += QLatin1Char('#') + QString::number(C.unicode());
            } else {
                if (!InQuotes) {
                    Out += QLatin1Char('\'');
                    InQuotes = true;
                }
                if (C == QLatin1Char('\''))
                    Out += QLatin1Char('\'');
                Out += C;
            }
        }
        if (InQuotes)
            Out += QLatin1Char('\'');
        return Out.isEmpty() ? QStringLiteral("''") : Out;
    }

    void StringValue(const String& S, int Indent)
    {
        constexpr int Chunk = 64;
        if (S.size() <= Chunk) {
            FOut += Quote(S);
            return;
        }
        // Long strings go on lines of their own, joined with '+'.
        for (int I = 0; I < S.size(); I += Chunk) {
            int Len = std::min<int>(Chunk, S.size() - I);
            // Do not split a surrogate pair.
            if (I + Len < S.size() && S.at(I + Len - 1).isHighSurrogate())
                --Len;
            FOut += QLatin1Char('\n');
            Line(Indent + 1);
            FOut += Quote(S.mid(I, Len));
            if (I + Len < S.size())
                FOut += QStringLiteral(" +");
            I += Len - Chunk;
        }
    }

    String FOut;
};

} // namespace

TFormObject ParseFormText(const QByteArray& Text, const String& SourceName)
{
    TFormParser Parser(DecodeUtf8(Text), SourceName);
    return Parser.ParseRoot();
}

String FormTextRootClass(const QByteArray& Text)
{
    try {
        TFormLexer Lexer(DecodeUtf8(Text.left(4096)), String());
        TToken T = Lexer.Next();
        if (T.Kind != toSymbol)
            return String();
        const String Word = T.Text.toLower();
        if (Word != QLatin1String("object") && Word != QLatin1String("inherited") && Word != QLatin1String("inline"))
            return String();
        T = Lexer.Next();
        if (T.Kind != toSymbol)
            return String();
        const String First = T.Text;
        T = Lexer.Next();
        if (T.Kind == toChar && T.Text == QLatin1String(":")) {
            T = Lexer.Next();
            return T.Kind == toSymbol ? T.Text : String();
        }
        return First;
    } catch (const Exception&) {
        return String();
    }
}

QByteArray FormatFormText(const TFormObject& Root)
{
    TFormPrinter Printer;
    Printer.Object(Root, 0);
    return Printer.Result();
}
