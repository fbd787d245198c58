#include "optics/DrawBaseRayDataStruct.h"

#include "scene/ByteStream.h"

void WriteRayRecord(ByteWriter& out, const DrawBaseRayDataStruct& ray) {
  out.WriteFloat(ray.startX);
  out.WriteFloat(ray.startY);
  out.WriteFloat(ray.throughX);
  out.WriteFloat(ray.throughY);
  out.WriteFloat(ray.slope);
  out.WriteFloat(ray.intercept);
  out.WriteFloat(ray.direction);
  out.WriteByte(ray.vertical);
  out.WriteZeros(3);
  out.WriteFloat(ray.verticalX);
  out.WriteFloat(ray.indexFactor);
  out.WriteUInt32(ray.rayColour);
  out.WriteByte(ray.blend);
  out.WriteZeros(3);
  out.WriteInt32(ray.sourceKind);
  out.WriteInt32(0);  // name reference: carries nothing in a file
  out.WriteInt32(ray.emissionGroup);
  out.WriteInt32(ray.lastSurface);
  out.WriteInt32(ray.sourceLineWidth);
  out.WriteZeros(8 + 4);  // list links and spare word
}

void ReadRayRecord(ByteReader& in, DrawBaseRayDataStruct& ray) {
  ray.startX = in.ReadFloat();
  ray.startY = in.ReadFloat();
  ray.throughX = in.ReadFloat();
  ray.throughY = in.ReadFloat();
  ray.slope = in.ReadFloat();
  ray.intercept = in.ReadFloat();
  ray.direction = in.ReadFloat();
  ray.vertical = in.ReadByte();
  in.Skip(3);
  ray.verticalX = in.ReadFloat();
  ray.indexFactor = in.ReadFloat();
  ray.rayColour = in.ReadUInt32();
  ray.blend = in.ReadByte();
  in.Skip(3);
  ray.sourceKind = in.ReadInt32();
  in.Skip(4);
  ray.name.clear();
  ray.emissionGroup = in.ReadInt32();
  ray.lastSurface = in.ReadInt32();
  ray.sourceLineWidth = in.ReadInt32();
  in.Skip(12);
}
