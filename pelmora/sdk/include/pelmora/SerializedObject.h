#ifndef PELMORA_SERIALIZEDOBJECT_H
#define PELMORA_SERIALIZEDOBJECT_H

class Archive;

// An object that stores itself as key/value pairs in an Archive
// (EditorConfig::SaveObject / LoadObject, or nested in another object).
class SerializedObject
{
public:
    virtual ~SerializedObject() = default;
    virtual void Serialize(Archive& arch) = 0;
    virtual void DeSerialize(Archive& arch) = 0;
};

#endif // PELMORA_SERIALIZEDOBJECT_H
