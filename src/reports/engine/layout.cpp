#include "reports/engine/layout.h"

#include "data/database.h"
#include "data/dataset.h"
#include "data/formats.h"
#include "reports/engine/measurer.h"

#include <QLocale>
#include <optional>
#include <vector>

namespace riport {

// ---- data sets of a run ------------------------------------------------------

DataSets::DataSets(std::initializer_list<std::pair<QString, data::DataSet *>> sets)
{
    for (const auto &s : sets)
        bind(s.first, s.second);
}

void DataSets::bind(const QString &name, data::DataSet *set)
{
    m_sets.insert(name.toCaseFolded(), set);
}

data::DataSet *DataSets::find(const QString &name) const
{
    return m_sets.value(name.toCaseFolded(), nullptr);
}

namespace {

constexpr double kEps = 1e-6;
// A little air on each side of an auto-sized text, so that it is not cut by
// rounding where it is drawn.
constexpr double kAutoSizeAir = 0.4;

[[noreturn]] void fail(const QString &message)
{
    throw data::DbError(message);
}

// ---- expressions -------------------------------------------------------------
//
// The expressions the reports use: SUM(<set>.<field>) over the detail rows
// laid out so far, FORMATNUMERIC('<format>', <value>), field terms, quoted
// texts and numbers.

struct Expr {
    enum Op { Number, Text, Field, Sum, FormatNumeric };
    Op op = Number;
    double number = 0;
    QString text;                 // Text: the text; FormatNumeric: the format
    int slot = -1;                // Field: the data set slot
    int field = -1;               // Field: the field
    int sum = -1;                 // Sum: the accumulator
    std::unique_ptr<Expr> arg;    // Sum, FormatNumeric: the value
};

struct SumTerm {
    int slot;
    int field;
};

}  // namespace

struct Layouter::Impl {
    // A data set the definition reads, with its current row read once per
    // band.
    struct Slot {
        data::DataSet *set = nullptr;
        QString name;
        data::Row row;
        quint64 generation = 0;
    };
    struct ElementInfo {
        const Element *element = nullptr;
        quint16 font = 0;
        quint32 fixedText = 0;        // a label's caption
        int slot = -1;                // a data field's data set ...
        int field = -1;               // ... and field
        std::shared_ptr<Expr> expr;   // an expression
    };
    struct BandInfo {
        const Band *band = nullptr;
        std::vector<ElementInfo> elements;
        bool stretches = false;
    };

    const Definition &def;
    const DataSets sets;
    const TextMeasurer &measurer;
    PreparedReport report;
    std::vector<Slot> slots;
    std::vector<SumTerm> sumTerms;
    std::vector<double> sums;
    BandInfo bands[5];
    int masterSlot = -1;
    int groupSlot = -1, groupField = -1;
    quint64 generation = 1;
    QString now;

    enum class Phase { NotStarted, Rows, Summary, Finished };
    Phase phase = Phase::NotStarted;
    std::optional<data::ControlsDisabled> walk;
    bool firstRow = true;
    bool groupDoneForRow = false;
    QVariant previousGroup;
    bool summaryDone = false;

    // The page being laid out.
    int pageNo = 0;
    int column = 0;
    double y = 0, columnTop = 0, bottom = 0;

    Impl(const Definition &d, const DataSets &s, const TextMeasurer &m) : def(d), sets(s), measurer(m) {}

    BandInfo &info(BandKind k) { return bands[int(k)]; }
    data::DataSet *master() const { return masterSlot < 0 ? nullptr : slots[masterSlot].set; }

    // ---- resolving names -----------------------------------------------------

    int slotOf(const QString &name)
    {
        for (int i = 0; i < int(slots.size()); ++i)
            if (slots[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        data::DataSet *set = sets.find(name);
        if (!set)
            fail(QStringLiteral("A riport \"%1\" adatait nem kapta meg.").arg(name));
        if (!set->isOpen())
            fail(QStringLiteral("A riport \"%1\" adatai nincsenek megnyitva.").arg(name));
        Slot s;
        s.set = set;
        s.name = name;
        slots.push_back(s);
        return int(slots.size()) - 1;
    }

    int fieldOf(int slot, const QString &field)
    {
        const int f = slots[slot].set->fieldIndex(field);
        if (f < 0)
            fail(QStringLiteral("A riport \"%1\" adataiban nincs \"%2\" mező.").arg(slots[slot].name, field));
        return f;
    }

    // "<set>.<field>"
    std::pair<int, int> term(const QString &text)
    {
        const int dot = text.indexOf(QLatin1Char('.'));
        if (dot <= 0 || dot == text.size() - 1)
            fail(QStringLiteral("Hibás mezőhivatkozás a riportban: %1").arg(text));
        const int slot = slotOf(text.left(dot).trimmed());
        return {slot, fieldOf(slot, text.mid(dot + 1).trimmed())};
    }

    void resolve()
    {
        if (!def.master.isEmpty())
            masterSlot = slotOf(def.master);
        for (const Band &b : def.bands()) {
            BandInfo &bi = info(b.kind);
            bi.band = &b;
            for (const Element &e : b.elements)
                bi.elements.push_back(resolveElement(e));
            for (const Element &e : b.elements)
                bi.stretches = bi.stretches || (e.autoStretch && e.kind != ElementKind::Shape);
            if (b.kind == BandKind::GroupHeader && !b.groupExpression.isEmpty()) {
                const auto t = term(b.groupExpression);
                groupSlot = t.first;
                groupField = t.second;
            }
        }
    }

    ElementInfo resolveElement(const Element &e)
    {
        ElementInfo ei;
        ei.element = &e;
        ei.font = report.internFont(e.font);
        switch (e.kind) {
        case ElementKind::Label:
            ei.fixedText = report.internText(e.text);
            break;
        case ElementKind::DataField:
            ei.slot = slotOf(e.dataSet);
            ei.field = fieldOf(ei.slot, e.field);
            break;
        case ElementKind::Expression:
            ei.expr = parseExpression(e.expression);
            break;
        case ElementKind::SystemData:
        case ElementKind::Shape:
            break;
        }
        return ei;
    }

    // ---- the expression parser -------------------------------------------------

    struct Parser {
        Impl &impl;
        const QString &s;
        int pos = 0;

        void skip()
        {
            while (pos < s.size() && s[pos].isSpace())
                ++pos;
        }
        [[noreturn]] void bad() const { fail(QStringLiteral("Hibás kifejezés a riportban: %1").arg(s)); }
        void expect(QChar c)
        {
            skip();
            if (pos >= s.size() || s[pos] != c)
                bad();
            ++pos;
        }
        std::unique_ptr<Expr> parse()
        {
            skip();
            if (pos >= s.size())
                bad();
            auto e = std::make_unique<Expr>();
            const QChar c = s[pos];
            if (c == QLatin1Char('\'')) {
                const int end = s.indexOf(QLatin1Char('\''), pos + 1);
                if (end < 0)
                    bad();
                e->op = Expr::Text;
                e->text = s.mid(pos + 1, end - pos - 1);
                pos = end + 1;
                return e;
            }
            int start = pos;
            while (pos < s.size() && (s[pos].isLetterOrNumber() || s[pos] == QLatin1Char('_')
                                      || s[pos] == QLatin1Char('.') || s[pos] == QLatin1Char('-')))
                ++pos;
            const QString word = s.mid(start, pos - start);
            if (word.isEmpty())
                bad();
            bool isNumber = false;
            const double n = word.toDouble(&isNumber);
            if (isNumber) {
                e->number = n;
                return e;
            }
            skip();
            if (pos < s.size() && s[pos] == QLatin1Char('(')) {
                ++pos;
                const QString fn = word.toUpper();
                if (fn == QLatin1String("SUM")) {
                    e->op = Expr::Sum;
                    e->arg = parse();
                    if (e->arg->op != Expr::Field)
                        bad();
                    e->sum = int(impl.sumTerms.size());
                    impl.sumTerms.push_back({e->arg->slot, e->arg->field});
                    impl.sums.push_back(0);
                } else if (fn == QLatin1String("FORMATNUMERIC")) {
                    e->op = Expr::FormatNumeric;
                    auto format = parse();
                    if (format->op != Expr::Text)
                        bad();
                    e->text = format->text;
                    expect(QLatin1Char(','));
                    e->arg = parse();
                } else {
                    bad();
                }
                expect(QLatin1Char(')'));
                return e;
            }
            const auto t = impl.term(word);
            e->op = Expr::Field;
            e->slot = t.first;
            e->field = t.second;
            return e;
        }
    };

    std::shared_ptr<Expr> parseExpression(const QString &text)
    {
        Parser p{*this, text};
        std::shared_ptr<Expr> e = p.parse();
        p.skip();
        if (p.pos != text.size())
            p.bad();
        return e;
    }

    QVariant evaluate(const Expr &e)
    {
        switch (e.op) {
        case Expr::Number: return e.number;
        case Expr::Text: return e.text;
        case Expr::Field: return rowOf(e.slot).value(e.field);
        case Expr::Sum: return sums[e.sum];
        case Expr::FormatNumeric: return data::formatNumber(evaluate(*e.arg), e.text);
        }
        return QVariant();
    }

    QString expressionText(const Expr &e)
    {
        const QVariant v = evaluate(e);
        if (v.typeId() == QMetaType::Double)
            return QLocale().toString(v.toDouble(), 'g', 15);
        return v.toString();
    }

    // ---- reading the data ------------------------------------------------------

    const data::Row &rowOf(int slot)
    {
        Slot &s = slots[slot];
        if (s.generation != generation) {
            s.generation = generation;
            if (s.set->isEditing()) {
                s.row = data::Row(s.set->fieldCount());
                for (int i = 0; i < s.set->fieldCount(); ++i)
                    s.row[i] = s.set->value(i);
            } else {
                s.row = s.set->valuesAt(s.set->currentRow());
            }
        }
        return s.row;
    }

    QString textOf(const ElementInfo &ei)
    {
        const Element &e = *ei.element;
        switch (e.kind) {
        case ElementKind::Label: return report.text(ei.fixedText);
        case ElementKind::DataField:
            return data::displayText(rowOf(ei.slot).value(ei.field), slots[ei.slot].set->field(ei.field).def);
        case ElementKind::SystemData:
            switch (e.system) {
            case SystemValue::PageNumber: return e.text + QString::number(pageNo);
            case SystemValue::DateTime: return e.text + now;
            case SystemValue::ReportTitle: return e.text + def.title;
            }
            break;
        case ElementKind::Expression: return expressionText(*ei.expr);
        case ElementKind::Shape: break;
        }
        return QString();
    }

    // ---- bands -----------------------------------------------------------------

    // The height of an element holding `text` in `width`.
    double elementHeight(const ElementInfo &ei, const QString &text, double width) const
    {
        const Element &e = *ei.element;
        if (!e.autoStretch || e.kind == ElementKind::Shape || text.isEmpty())
            return e.rect.height();
        return qMax(e.rect.height(), measurer.wrappedHeight(text, e.font, width));
    }

    double elementWidth(const ElementInfo &ei, const QString &text) const
    {
        const Element &e = *ei.element;
        if (e.autoSize && e.kind != ElementKind::Shape)
            return measurer.textWidth(text, e.font) + kAutoSizeAir;
        return e.rect.width();
    }

    double bandHeight(const BandInfo &bi)
    {
        ++generation;
        double h = bi.band->height;
        if (!bi.stretches)
            return h;
        for (const ElementInfo &ei : bi.elements) {
            const Element &e = *ei.element;
            if (!e.autoStretch || e.kind == ElementKind::Shape)
                continue;
            const QString text = textOf(ei);
            // The band grows by what the element grows, so the space below
            // it stays as the band was drawn.
            const double grown = elementHeight(ei, text, elementWidth(ei, text));
            h = qMax(h, qMax(e.rect.top() + grown, bi.band->height + grown - e.rect.height()));
        }
        return h;
    }

    Page &page() { return report.pages.last(); }

    void addLine(double x1, double y1, double x2, double y2, const FrameLine &l)
    {
        Primitive p;
        p.kind = Primitive::Line;
        p.color = l.color;
        p.penWidth = float(qMax(0.0, l.width) * kPenUnitMm);
        p.x = float(x1);
        p.y = float(y1);
        p.w = float(x2 - x1);
        p.h = float(y2 - y1);
        page().primitives.append(p);
    }

    void addFrame(const Frame &f, const QRectF &r)
    {
        if (f.top.on)
            addLine(r.left(), r.top(), r.right(), r.top(), f.top);
        if (f.bottom.on)
            addLine(r.left(), r.bottom(), r.right(), r.bottom(), f.bottom);
        if (f.left.on)
            addLine(r.left(), r.top(), r.left(), r.bottom(), f.left);
        if (f.right.on)
            addLine(r.right(), r.top(), r.right(), r.bottom(), f.right);
    }

    void addFill(const QRectF &r, quint32 color)
    {
        Primitive p;
        p.kind = Primitive::Fill;
        p.color = color;
        p.x = float(r.x());
        p.y = float(r.y());
        p.w = float(r.width());
        p.h = float(r.height());
        page().primitives.append(p);
    }

    void renderShape(const Element &e, const QRectF &r)
    {
        if (e.filled)
            addFill(r, 0xFFFFFF);
        const FrameLine black = line(0x000000, 1);
        addLine(r.left(), r.top(), r.right(), r.top(), black);
        addLine(r.left(), r.bottom(), r.right(), r.bottom(), black);
    }

    void renderElement(const ElementInfo &ei, double bx, double by, double bw)
    {
        const Element &e = *ei.element;
        const QString text = e.kind == ElementKind::Shape ? QString() : textOf(ei);
        const double w = elementWidth(ei, text);
        double x = e.rect.left();
        if (e.alignToBand) {
            switch (e.align) {
            case Align::Left: x = 0; break;
            case Align::Center: x = (bw - w) / 2; break;
            case Align::Right: x = bw - w; break;
            }
        }
        const QRectF r(bx + x, by + e.rect.top(), w, elementHeight(ei, text, w));
        if (e.kind == ElementKind::Shape) {
            renderShape(e, r);
        } else if (!text.isEmpty()) {
            Primitive p;
            p.kind = Primitive::Text;
            p.align = e.align;
            p.flags = quint8(((e.wordWrap || e.autoStretch) ? Primitive::Wrap : 0)
                             | (e.transparent ? 0 : Primitive::Opaque) | (e.autoSize ? Primitive::NoClip : 0));
            p.font = ei.font;
            p.text = e.kind == ElementKind::Label ? ei.fixedText : report.internText(text);
            p.x = float(r.x());
            p.y = float(r.y());
            p.w = float(r.width());
            p.h = float(r.height());
            page().primitives.append(p);
        }
        addFrame(e.frame, r);
    }

    // Renders a band whose height is known at (bx, by).
    void renderBand(const BandInfo &bi, double bx, double by, double bw, double h)
    {
        ++generation;
        for (const ElementInfo &ei : bi.elements)
            renderElement(ei, bx, by, bw);
        Frame f;
        f.top = bi.band->frame.top;
        f.bottom = bi.band->frame.bottom;
        addFrame(f, QRectF(bx, by, bw, h));
    }

    // ---- the walk --------------------------------------------------------------

    void start()
    {
        if (now.isEmpty())
            now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd. HH:mm:ss"));
        phase = Phase::Rows;
        if (data::DataSet *m = master()) {
            walk.emplace(*m);
            m->first();
        }
    }

    void finish()
    {
        phase = Phase::Finished;
        walk.reset();
        report.squeeze();
    }

    // The rows not yet laid out are passed over in one step.
    void stop()
    {
        if (phase == Phase::Finished)
            return;
        if (phase == Phase::NotStarted)
            start();
        if (data::DataSet *m = master(); m && !m->eof())
            m->last();
        finish();
    }

    bool masterEmpty() const { return !master() || master()->isEmpty(); }

    // The band to place next, or nullptr at the end of the report.
    const BandInfo *nextBand()
    {
        while (phase == Phase::Rows) {
            data::DataSet *m = master();
            if (!m || m->eof()) {
                phase = Phase::Summary;
                break;
            }
            const BandInfo &group = info(BandKind::GroupHeader);
            if (group.band && !groupDoneForRow) {
                ++generation;
                const QVariant v = groupSlot < 0 ? QVariant() : rowOf(groupSlot).value(groupField);
                if (firstRow || v != previousGroup)
                    return &group;
                groupDoneForRow = true;
            }
            const BandInfo &detail = info(BandKind::Detail);
            if (detail.band)
                return &detail;
            nextRow();
        }
        if (phase == Phase::Summary && info(BandKind::Summary).band && !summaryDone)
            return &info(BandKind::Summary);
        return nullptr;
    }

    void nextRow()
    {
        master()->next();
        firstRow = false;
        groupDoneForRow = false;
    }

    // A detail row counts in the sums from its own band on.
    void addToSums()
    {
        ++generation;
        for (size_t i = 0; i < sumTerms.size(); ++i) {
            const QVariant v = rowOf(sumTerms[i].slot).value(sumTerms[i].field);
            if (!v.isNull())
                sums[i] += v.toDouble();
        }
    }

    void placed(const BandInfo &bi)
    {
        switch (bi.band->kind) {
        case BandKind::GroupHeader:
            ++generation;
            previousGroup = groupSlot < 0 ? QVariant() : rowOf(groupSlot).value(groupField);
            groupDoneForRow = true;
            break;
        case BandKind::Detail:
            nextRow();
            break;
        case BandKind::Summary:
            summaryDone = true;
            break;
        default:
            break;
        }
    }

    // ---- pages -----------------------------------------------------------------

    double footerHeight() const
    {
        const Band *f = def.band(BandKind::PageFooter);
        return f ? f->height : 0;
    }

    void openPage()
    {
        ++pageNo;
        report.pages.append(Page());
        y = def.margins.top;
        const BandInfo &header = info(BandKind::PageHeader);
        if (header.band && (pageNo > 1 || def.headerOnFirstPage)) {
            const double h = bandHeight(header);
            renderBand(header, def.margins.left, y, def.printableWidth(), h);
            y += h;
        }
        columnTop = y;
        column = 0;
        bottom = def.paper.height() - def.margins.bottom - footerHeight();
    }

    void closePage(bool last)
    {
        const BandInfo &footer = info(BandKind::PageFooter);
        if (footer.band && (!last || def.footerOnLastPage))
            renderBand(footer, def.margins.left, bottom, def.printableWidth(), footer.band->height);
        page().primitives.squeeze();  // thousands of pages keep no spare room
    }

    bool layoutNextPage()
    {
        if (phase == Phase::Finished)
            return false;
        if (phase == Phase::NotStarted) {
            start();
            if (masterEmpty() && !def.printIfEmpty) {
                finish();
                return false;
            }
        }
        openPage();
        for (;;) {
            const BandInfo *bi = nextBand();
            if (!bi) {
                closePage(true);
                finish();
                return true;
            }
            const double h = bandHeight(*bi);
            if (y + h > bottom + kEps && y > columnTop + kEps) {
                if (column + 1 < def.columnCount()) {
                    ++column;
                    y = columnTop;
                    continue;
                }
                closePage(false);
                return true;
            }
            if (bi->band->kind == BandKind::Detail)
                addToSums();
            renderBand(*bi, def.columnLeft(column), y, def.columnWidth(), h);
            y += h;
            placed(*bi);
        }
    }
};

Layouter::Layouter(const Definition &definition, const DataSets &sets, const TextMeasurer &measurer)
    : d(std::make_unique<Impl>(definition, sets, measurer))
{
    d->report.title = definition.title;
    d->report.paper = definition.paper;
    d->resolve();
}

Layouter::~Layouter() = default;

void Layouter::setNow(const QDateTime &now)
{
    d->now = now.toString(QStringLiteral("yyyy.MM.dd. HH:mm:ss"));
}

bool Layouter::layoutNextPage()
{
    try {
        return d->layoutNextPage();
    } catch (...) {
        d->finish();
        throw;
    }
}

void Layouter::layoutAll()
{
    while (layoutNextPage()) {
    }
}

void Layouter::stop()
{
    try {
        d->stop();
    } catch (...) {
        d->finish();
        throw;
    }
}

bool Layouter::isFinished() const { return d->phase == Impl::Phase::Finished; }

const PreparedReport &Layouter::report() const { return d->report; }

PreparedReport Layouter::takeReport()
{
    layoutAll();
    return std::move(d->report);
}

PreparedReport layoutReport(const Definition &definition, const DataSets &sets, const TextMeasurer &measurer)
{
    Layouter l(definition, sets, measurer);
    return l.takeReport();
}

}  // namespace riport
