// Plane geometry of drawing objects.
#include "TqGeometry.h"

#include "../sdk/db/OdDbBlockReference.h"
#include "../sdk/db/OdDbBlockTableRecord.h"
#include "../sdk/db/OdDbObject.h"

#include <algorithm>
#include <cmath>

namespace {

// References nest; a definition that (wrongly) contains itself must not loop.
constexpr int kMaxDepth = 16;

const OdDbTag* find(const OdDbTagList& tags, int code)
{
    for (const OdDbTag& tag : tags) {
        if (tag.code() == code)
            return &tag;
    }
    return nullptr;
}

}  // namespace

std::vector<OdGePoint3d> TqPolylineVertices(const OdDbTagList& tags, bool& closed)
{
    std::vector<OdGePoint3d> vertices;
    closed = false;
    for (const OdDbTag& tag : tags) {
        if (tag.code() == 10)
            vertices.push_back(tag.point());
        else if (tag.code() == 70)
            closed = (tag.integer() & 1) != 0;
    }
    return vertices;
}

OdGePoint3d TqMatrix::apply(const OdGePoint3d& p) const
{
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3], m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
}

TqMatrix TqMatrix::operator*(const TqMatrix& other) const
{
    TqMatrix product;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += m[r][k] * other.m[k][c];
            product.m[r][c] = sum;
        }
    }
    return product;
}

TqMatrix TqMatrix::inverse() const
{
    // General 3x3 inverse of the linear part, then the translation.
    const double a = m[0][0], b = m[0][1], c = m[0][2], d = m[1][0], e = m[1][1], f = m[1][2], g = m[2][0], h = m[2][1],
                 i = m[2][2];
    const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    TqMatrix inv;
    if (det == 0.0)
        return inv;
    const double s = 1.0 / det;
    inv.m[0][0] = (e * i - f * h) * s;
    inv.m[0][1] = (c * h - b * i) * s;
    inv.m[0][2] = (b * f - c * e) * s;
    inv.m[1][0] = (f * g - d * i) * s;
    inv.m[1][1] = (a * i - c * g) * s;
    inv.m[1][2] = (c * d - a * f) * s;
    inv.m[2][0] = (d * h - e * g) * s;
    inv.m[2][1] = (b * g - a * h) * s;
    inv.m[2][2] = (a * e - b * d) * s;
    for (int r = 0; r < 3; ++r)
        inv.m[r][3] = -(inv.m[r][0] * m[0][3] + inv.m[r][1] * m[1][3] + inv.m[r][2] * m[2][3]);
    return inv;
}

TqMatrix TqReferenceTransform(OdDbObjectId referenceId)
{
    TqMatrix transform;
    const auto* reference = referenceId.openObject<OdDbBlockReference>();
    if (!reference)
        return transform;
    const auto* block = reference->blockTableRecord().openObject<OdDbBlockTableRecord>();
    const OdGePoint3d base = block ? block->origin() : OdGePoint3d();
    const OdGeVector3d scale = reference->scaleFactors();
    const double cosine = std::cos(reference->rotation());
    const double sine = std::sin(reference->rotation());
    const OdGePoint3d at = reference->position();
    // Rotation · Scale, then the translation that maps the base point to the insertion point.
    transform.m[0][0] = cosine * scale.x;
    transform.m[0][1] = -sine * scale.y;
    transform.m[1][0] = sine * scale.x;
    transform.m[1][1] = cosine * scale.y;
    transform.m[2][2] = scale.z;
    const OdGePoint3d moved = transform.apply(base);
    transform.m[0][3] = at.x - moved.x;
    transform.m[1][3] = at.y - moved.y;
    transform.m[2][3] = at.z - moved.z;
    return transform;
}

void TqExtents::add(const OdGePoint3d& p)
{
    if (!valid) {
        min = max = p;
        valid = true;
        return;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

TqExtents TqExtentsOf(OdDbObjectId entity, int depth)
{
    TqExtents extents;
    const OdDbObject* object = entity.object();
    if (!object || object->isErased() || depth > kMaxDepth)
        return extents;
    const QString type = object->dxfName();
    if (type == QLatin1String("INSERT")) {
        const auto* reference = static_cast<const OdDbBlockReference*>(object);
        const auto* block = reference->blockTableRecord().openObject<OdDbBlockTableRecord>();
        const TqMatrix transform = TqReferenceTransform(entity);
        if (block) {
            for (OdDbObjectId inner : block->entityIds()) {
                const TqExtents part = TqExtentsOf(inner, depth + 1);
                if (!part.valid)
                    continue;
                // The four corners of the part, carried over.
                for (const OdGePoint3d& corner : {part.min, OdGePoint3d{part.max.x, part.min.y, part.min.z}, part.max,
                                                  OdGePoint3d{part.min.x, part.max.y, part.max.z}})
                    extents.add(transform.apply(corner));
            }
        }
        if (!extents.valid)
            extents.add(reference->position());
        return extents;
    }
    const OdDbTagList tags = object->groupCodes();
    if (type == QLatin1String("CIRCLE") || type == QLatin1String("ARC")) {
        const OdDbTag* center = find(tags, 10);
        const OdDbTag* radius = find(tags, 40);
        if (center && radius) {
            const OdGePoint3d c = center->point();
            const double r = std::fabs(radius->number());
            extents.add({c.x - r, c.y - r, c.z});
            extents.add({c.x + r, c.y + r, c.z});
        }
        return extents;
    }
    if (type == QLatin1String("TEXT") || type == QLatin1String("MTEXT") || type == QLatin1String("ATTRIB")
        || type == QLatin1String("ATTDEF")) {
        const OdDbTag* at = find(tags, 10);
        const OdDbTag* height = find(tags, 40);
        const OdDbTag* text = find(tags, 1);
        const OdDbTag* rotation = find(tags, 50);
        if (at) {
            const double h = height ? std::fabs(height->number()) : 0.0;
            const OdDbTag* boxWidth = type == QLatin1String("MTEXT") ? find(tags, 41) : nullptr;
            const double w = boxWidth && boxWidth->number() > 0.0 ? boxWidth->number() : 0.6 * h * double(text ? text->string().size() : 0);
            const double angle = rotation ? rotation->number() : 0.0;
            const OdGePoint3d p = at->point();
            const double cosine = std::cos(angle), sine = std::sin(angle);
            for (const auto& [dx, dy] : {std::pair{0.0, 0.0}, std::pair{w, 0.0}, std::pair{w, h}, std::pair{0.0, h}})
                extents.add({p.x + dx * cosine - dy * sine, p.y + dx * sine + dy * cosine, p.z});
        }
        return extents;
    }
    for (const OdDbTag& tag : tags) {
        if (tag.type() == OdDxfCode::Type::Point && tag.code() >= 10 && tag.code() <= 18)
            extents.add(tag.point());
    }
    return extents;
}
