<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.8" name="twinworlds" tilewidth="32" tileheight="32" tilecount="230" columns="10">
 <image source="twinworlds.png" width="320" height="736"/>
 <tile id="0">
  <properties>
   <property name="value" type="int" value="1"/>
   <property name="what" value="stone"/>
  </properties>
 </tile>
 <tile id="1">
  <properties>
   <property name="value" type="int" value="2"/>
   <property name="what" value="stone under moss"/>
  </properties>
 </tile>
 <tile id="2">
  <properties>
   <property name="value" type="int" value="3"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="3">
  <properties>
   <property name="value" type="int" value="4"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="4">
  <properties>
   <property name="value" type="int" value="5"/>
   <property name="what" value="barred window, upper half, solid"/>
  </properties>
 </tile>
 <tile id="5">
  <properties>
   <property name="value" type="int" value="6"/>
   <property name="what" value="barred window, lower half, solid"/>
  </properties>
 </tile>
 <tile id="6">
  <properties>
   <property name="value" type="int" value="7"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="7">
  <properties>
   <property name="value" type="int" value="8"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="8">
  <properties>
   <property name="value" type="int" value="9"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="9">
  <properties>
   <property name="value" type="int" value="10"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="10">
  <properties>
   <property name="value" type="int" value="51"/>
   <property name="what" value="spikes: hurt whoever lands on them"/>
  </properties>
 </tile>
 <tile id="11">
  <properties>
   <property name="value" type="int" value="52"/>
   <property name="what" value="goal: ends the game"/>
  </properties>
 </tile>
 <tile id="12">
  <properties>
   <property name="value" type="int" value="53"/>
   <property name="what" value="barred window, upper half, solid, opaque"/>
  </properties>
 </tile>
 <tile id="13">
  <properties>
   <property name="value" type="int" value="54"/>
   <property name="what" value="barred window, lower half, solid, opaque"/>
  </properties>
 </tile>
 <tile id="14">
  <properties>
   <property name="value" type="int" value="55"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="15">
  <properties>
   <property name="value" type="int" value="56"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="16">
  <properties>
   <property name="value" type="int" value="57"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="17">
  <properties>
   <property name="value" type="int" value="58"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="18">
  <properties>
   <property name="value" type="int" value="59"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="19">
  <properties>
   <property name="value" type="int" value="60"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="20">
  <properties>
   <property name="value" type="int" value="301"/>
   <property name="what" value="walker: appears when the cell comes into view"/>
  </properties>
 </tile>
 <tile id="21">
  <properties>
   <property name="value" type="int" value="302"/>
   <property name="what" value="thrower: appears when the cell comes into view"/>
  </properties>
 </tile>
 <tile id="22">
  <properties>
   <property name="value" type="int" value="11"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="23">
  <properties>
   <property name="value" type="int" value="12"/>
   <property name="what" value="scenery, solid"/>
  </properties>
 </tile>
 <tile id="30">
  <properties>
   <property name="value" type="int" value="101"/>
   <property name="what" value="switch: starts event 201 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="31">
  <properties>
   <property name="value" type="int" value="102"/>
   <property name="what" value="switch: starts event 202 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="32">
  <properties>
   <property name="value" type="int" value="103"/>
   <property name="what" value="switch: starts event 203 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="33">
  <properties>
   <property name="value" type="int" value="104"/>
   <property name="what" value="switch: starts event 204 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="34">
  <properties>
   <property name="value" type="int" value="105"/>
   <property name="what" value="switch: starts event 205 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="35">
  <properties>
   <property name="value" type="int" value="106"/>
   <property name="what" value="switch: starts event 206 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="36">
  <properties>
   <property name="value" type="int" value="107"/>
   <property name="what" value="switch: starts event 207 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="37">
  <properties>
   <property name="value" type="int" value="108"/>
   <property name="what" value="switch: starts event 208 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="38">
  <properties>
   <property name="value" type="int" value="109"/>
   <property name="what" value="switch: starts event 209 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="39">
  <properties>
   <property name="value" type="int" value="110"/>
   <property name="what" value="switch: starts event 210 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="40">
  <properties>
   <property name="value" type="int" value="111"/>
   <property name="what" value="switch: starts event 211 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="41">
  <properties>
   <property name="value" type="int" value="112"/>
   <property name="what" value="switch: starts event 212 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="42">
  <properties>
   <property name="value" type="int" value="113"/>
   <property name="what" value="switch: starts event 213 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="43">
  <properties>
   <property name="value" type="int" value="114"/>
   <property name="what" value="switch: starts event 214 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="44">
  <properties>
   <property name="value" type="int" value="115"/>
   <property name="what" value="switch: starts event 215 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="45">
  <properties>
   <property name="value" type="int" value="116"/>
   <property name="what" value="switch: starts event 216 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="46">
  <properties>
   <property name="value" type="int" value="117"/>
   <property name="what" value="switch: starts event 217 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="47">
  <properties>
   <property name="value" type="int" value="118"/>
   <property name="what" value="switch: starts event 218 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="48">
  <properties>
   <property name="value" type="int" value="119"/>
   <property name="what" value="switch: starts event 219 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="49">
  <properties>
   <property name="value" type="int" value="120"/>
   <property name="what" value="switch: starts event 220 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="50">
  <properties>
   <property name="value" type="int" value="121"/>
   <property name="what" value="switch: starts event 221 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="51">
  <properties>
   <property name="value" type="int" value="122"/>
   <property name="what" value="switch: starts event 222 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="52">
  <properties>
   <property name="value" type="int" value="123"/>
   <property name="what" value="switch: starts event 223 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="53">
  <properties>
   <property name="value" type="int" value="124"/>
   <property name="what" value="switch: starts event 224 (its marker in world A)"/>
  </properties>
 </tile>
 <tile id="54">
  <properties>
   <property name="value" type="int" value="125"/>
   <property name="what" value="switch: starts event 225 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="55">
  <properties>
   <property name="value" type="int" value="126"/>
   <property name="what" value="switch: starts event 226 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="56">
  <properties>
   <property name="value" type="int" value="127"/>
   <property name="what" value="switch: starts event 227 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="57">
  <properties>
   <property name="value" type="int" value="128"/>
   <property name="what" value="switch: starts event 228 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="58">
  <properties>
   <property name="value" type="int" value="129"/>
   <property name="what" value="switch: starts event 229 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="59">
  <properties>
   <property name="value" type="int" value="130"/>
   <property name="what" value="switch: starts event 230 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="60">
  <properties>
   <property name="value" type="int" value="131"/>
   <property name="what" value="switch: starts event 231 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="61">
  <properties>
   <property name="value" type="int" value="132"/>
   <property name="what" value="switch: starts event 232 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="62">
  <properties>
   <property name="value" type="int" value="133"/>
   <property name="what" value="switch: starts event 233 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="63">
  <properties>
   <property name="value" type="int" value="134"/>
   <property name="what" value="switch: starts event 234 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="64">
  <properties>
   <property name="value" type="int" value="135"/>
   <property name="what" value="switch: starts event 235 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="65">
  <properties>
   <property name="value" type="int" value="136"/>
   <property name="what" value="switch: starts event 236 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="66">
  <properties>
   <property name="value" type="int" value="137"/>
   <property name="what" value="switch: starts event 237 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="67">
  <properties>
   <property name="value" type="int" value="138"/>
   <property name="what" value="switch: starts event 238 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="68">
  <properties>
   <property name="value" type="int" value="139"/>
   <property name="what" value="switch: starts event 239 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="69">
  <properties>
   <property name="value" type="int" value="140"/>
   <property name="what" value="switch: starts event 240 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="70">
  <properties>
   <property name="value" type="int" value="141"/>
   <property name="what" value="switch: starts event 241 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="71">
  <properties>
   <property name="value" type="int" value="142"/>
   <property name="what" value="switch: starts event 242 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="72">
  <properties>
   <property name="value" type="int" value="143"/>
   <property name="what" value="switch: starts event 243 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="73">
  <properties>
   <property name="value" type="int" value="144"/>
   <property name="what" value="switch: starts event 244 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="74">
  <properties>
   <property name="value" type="int" value="145"/>
   <property name="what" value="switch: starts event 245 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="75">
  <properties>
   <property name="value" type="int" value="146"/>
   <property name="what" value="switch: starts event 246 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="76">
  <properties>
   <property name="value" type="int" value="147"/>
   <property name="what" value="switch: starts event 247 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="77">
  <properties>
   <property name="value" type="int" value="148"/>
   <property name="what" value="switch: starts event 248 (its marker in world B)"/>
  </properties>
 </tile>
 <tile id="78">
  <properties>
   <property name="value" type="int" value="149"/>
   <property name="what" value="switch without an event"/>
  </properties>
 </tile>
 <tile id="79">
  <properties>
   <property name="value" type="int" value="150"/>
   <property name="what" value="switch, pressed"/>
  </properties>
 </tile>
 <tile id="80">
  <properties>
   <property name="value" type="int" value="151"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, solid"/>
  </properties>
 </tile>
 <tile id="81">
  <properties>
   <property name="value" type="int" value="152"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, solid"/>
  </properties>
 </tile>
 <tile id="82">
  <properties>
   <property name="value" type="int" value="153"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in"/>
  </properties>
 </tile>
 <tile id="83">
  <properties>
   <property name="value" type="int" value="154"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in"/>
  </properties>
 </tile>
 <tile id="84">
  <properties>
   <property name="value" type="int" value="155"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in"/>
  </properties>
 </tile>
 <tile id="85">
  <properties>
   <property name="value" type="int" value="156"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in"/>
  </properties>
 </tile>
 <tile id="86">
  <properties>
   <property name="value" type="int" value="157"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in"/>
  </properties>
 </tile>
 <tile id="87">
  <properties>
   <property name="value" type="int" value="158"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in"/>
  </properties>
 </tile>
 <tile id="88">
  <properties>
   <property name="value" type="int" value="159"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="89">
  <properties>
   <property name="value" type="int" value="160"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="90">
  <properties>
   <property name="value" type="int" value="161"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="91">
  <properties>
   <property name="value" type="int" value="162"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="92">
  <properties>
   <property name="value" type="int" value="163"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="93">
  <properties>
   <property name="value" type="int" value="164"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="94">
  <properties>
   <property name="value" type="int" value="165"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="95">
  <properties>
   <property name="value" type="int" value="166"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="96">
  <properties>
   <property name="value" type="int" value="167"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="97">
  <properties>
   <property name="value" type="int" value="168"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="98">
  <properties>
   <property name="value" type="int" value="169"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="99">
  <properties>
   <property name="value" type="int" value="170"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="100">
  <properties>
   <property name="value" type="int" value="171"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="101">
  <properties>
   <property name="value" type="int" value="172"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="102">
  <properties>
   <property name="value" type="int" value="173"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="103">
  <properties>
   <property name="value" type="int" value="174"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="104">
  <properties>
   <property name="value" type="int" value="175"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="105">
  <properties>
   <property name="value" type="int" value="176"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="106">
  <properties>
   <property name="value" type="int" value="177"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="107">
  <properties>
   <property name="value" type="int" value="178"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="108">
  <properties>
   <property name="value" type="int" value="179"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="109">
  <properties>
   <property name="value" type="int" value="180"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="110">
  <properties>
   <property name="value" type="int" value="181"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="111">
  <properties>
   <property name="value" type="int" value="182"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="112">
  <properties>
   <property name="value" type="int" value="183"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="113">
  <properties>
   <property name="value" type="int" value="184"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="114">
  <properties>
   <property name="value" type="int" value="185"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="115">
  <properties>
   <property name="value" type="int" value="186"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="116">
  <properties>
   <property name="value" type="int" value="187"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="117">
  <properties>
   <property name="value" type="int" value="188"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="118">
  <properties>
   <property name="value" type="int" value="189"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="119">
  <properties>
   <property name="value" type="int" value="190"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="120">
  <properties>
   <property name="value" type="int" value="191"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="121">
  <properties>
   <property name="value" type="int" value="192"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="122">
  <properties>
   <property name="value" type="int" value="193"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="123">
  <properties>
   <property name="value" type="int" value="194"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="124">
  <properties>
   <property name="value" type="int" value="195"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="125">
  <properties>
   <property name="value" type="int" value="196"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="126">
  <properties>
   <property name="value" type="int" value="197"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="127">
  <properties>
   <property name="value" type="int" value="198"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="128">
  <properties>
   <property name="value" type="int" value="199"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="129">
  <properties>
   <property name="value" type="int" value="200"/>
   <property name="what" value="gate: rises by 2 at each step of the scene it is in, no picture"/>
  </properties>
 </tile>
 <tile id="130">
  <properties>
   <property name="value" type="int" value="201"/>
   <property name="what" value="event marker 201: where the scene of event 201 looks (world A)"/>
  </properties>
 </tile>
 <tile id="131">
  <properties>
   <property name="value" type="int" value="202"/>
   <property name="what" value="event marker 202: where the scene of event 202 looks (world A)"/>
  </properties>
 </tile>
 <tile id="132">
  <properties>
   <property name="value" type="int" value="203"/>
   <property name="what" value="event marker 203: where the scene of event 203 looks (world A)"/>
  </properties>
 </tile>
 <tile id="133">
  <properties>
   <property name="value" type="int" value="204"/>
   <property name="what" value="event marker 204: where the scene of event 204 looks (world A)"/>
  </properties>
 </tile>
 <tile id="134">
  <properties>
   <property name="value" type="int" value="205"/>
   <property name="what" value="event marker 205: where the scene of event 205 looks (world A)"/>
  </properties>
 </tile>
 <tile id="135">
  <properties>
   <property name="value" type="int" value="206"/>
   <property name="what" value="event marker 206: where the scene of event 206 looks (world A)"/>
  </properties>
 </tile>
 <tile id="136">
  <properties>
   <property name="value" type="int" value="207"/>
   <property name="what" value="event marker 207: where the scene of event 207 looks (world A)"/>
  </properties>
 </tile>
 <tile id="137">
  <properties>
   <property name="value" type="int" value="208"/>
   <property name="what" value="event marker 208: where the scene of event 208 looks (world A)"/>
  </properties>
 </tile>
 <tile id="138">
  <properties>
   <property name="value" type="int" value="209"/>
   <property name="what" value="event marker 209: where the scene of event 209 looks (world A)"/>
  </properties>
 </tile>
 <tile id="139">
  <properties>
   <property name="value" type="int" value="210"/>
   <property name="what" value="event marker 210: where the scene of event 210 looks (world A)"/>
  </properties>
 </tile>
 <tile id="140">
  <properties>
   <property name="value" type="int" value="211"/>
   <property name="what" value="event marker 211: where the scene of event 211 looks (world A)"/>
  </properties>
 </tile>
 <tile id="141">
  <properties>
   <property name="value" type="int" value="212"/>
   <property name="what" value="event marker 212: where the scene of event 212 looks (world A)"/>
  </properties>
 </tile>
 <tile id="142">
  <properties>
   <property name="value" type="int" value="213"/>
   <property name="what" value="event marker 213: where the scene of event 213 looks (world A)"/>
  </properties>
 </tile>
 <tile id="143">
  <properties>
   <property name="value" type="int" value="214"/>
   <property name="what" value="event marker 214: where the scene of event 214 looks (world A)"/>
  </properties>
 </tile>
 <tile id="144">
  <properties>
   <property name="value" type="int" value="215"/>
   <property name="what" value="event marker 215: where the scene of event 215 looks (world A)"/>
  </properties>
 </tile>
 <tile id="145">
  <properties>
   <property name="value" type="int" value="216"/>
   <property name="what" value="event marker 216: where the scene of event 216 looks (world A)"/>
  </properties>
 </tile>
 <tile id="146">
  <properties>
   <property name="value" type="int" value="217"/>
   <property name="what" value="event marker 217: where the scene of event 217 looks (world A)"/>
  </properties>
 </tile>
 <tile id="147">
  <properties>
   <property name="value" type="int" value="218"/>
   <property name="what" value="event marker 218: where the scene of event 218 looks (world A)"/>
  </properties>
 </tile>
 <tile id="148">
  <properties>
   <property name="value" type="int" value="219"/>
   <property name="what" value="event marker 219: where the scene of event 219 looks (world A)"/>
  </properties>
 </tile>
 <tile id="149">
  <properties>
   <property name="value" type="int" value="220"/>
   <property name="what" value="event marker 220: where the scene of event 220 looks (world A)"/>
  </properties>
 </tile>
 <tile id="150">
  <properties>
   <property name="value" type="int" value="221"/>
   <property name="what" value="event marker 221: where the scene of event 221 looks (world A)"/>
  </properties>
 </tile>
 <tile id="151">
  <properties>
   <property name="value" type="int" value="222"/>
   <property name="what" value="event marker 222: where the scene of event 222 looks (world A)"/>
  </properties>
 </tile>
 <tile id="152">
  <properties>
   <property name="value" type="int" value="223"/>
   <property name="what" value="event marker 223: where the scene of event 223 looks (world A)"/>
  </properties>
 </tile>
 <tile id="153">
  <properties>
   <property name="value" type="int" value="224"/>
   <property name="what" value="event marker 224: where the scene of event 224 looks (world A)"/>
  </properties>
 </tile>
 <tile id="154">
  <properties>
   <property name="value" type="int" value="225"/>
   <property name="what" value="event marker 225: where the scene of event 225 looks (world B)"/>
  </properties>
 </tile>
 <tile id="155">
  <properties>
   <property name="value" type="int" value="226"/>
   <property name="what" value="event marker 226: where the scene of event 226 looks (world B)"/>
  </properties>
 </tile>
 <tile id="156">
  <properties>
   <property name="value" type="int" value="227"/>
   <property name="what" value="event marker 227: where the scene of event 227 looks (world B)"/>
  </properties>
 </tile>
 <tile id="157">
  <properties>
   <property name="value" type="int" value="228"/>
   <property name="what" value="event marker 228: where the scene of event 228 looks (world B)"/>
  </properties>
 </tile>
 <tile id="158">
  <properties>
   <property name="value" type="int" value="229"/>
   <property name="what" value="event marker 229: where the scene of event 229 looks (world B)"/>
  </properties>
 </tile>
 <tile id="159">
  <properties>
   <property name="value" type="int" value="230"/>
   <property name="what" value="event marker 230: where the scene of event 230 looks (world B)"/>
  </properties>
 </tile>
 <tile id="160">
  <properties>
   <property name="value" type="int" value="231"/>
   <property name="what" value="event marker 231: where the scene of event 231 looks (world B)"/>
  </properties>
 </tile>
 <tile id="161">
  <properties>
   <property name="value" type="int" value="232"/>
   <property name="what" value="event marker 232: where the scene of event 232 looks (world B)"/>
  </properties>
 </tile>
 <tile id="162">
  <properties>
   <property name="value" type="int" value="233"/>
   <property name="what" value="event marker 233: where the scene of event 233 looks (world B)"/>
  </properties>
 </tile>
 <tile id="163">
  <properties>
   <property name="value" type="int" value="234"/>
   <property name="what" value="event marker 234: where the scene of event 234 looks (world B)"/>
  </properties>
 </tile>
 <tile id="164">
  <properties>
   <property name="value" type="int" value="235"/>
   <property name="what" value="event marker 235: where the scene of event 235 looks (world B)"/>
  </properties>
 </tile>
 <tile id="165">
  <properties>
   <property name="value" type="int" value="236"/>
   <property name="what" value="event marker 236: where the scene of event 236 looks (world B)"/>
  </properties>
 </tile>
 <tile id="166">
  <properties>
   <property name="value" type="int" value="237"/>
   <property name="what" value="event marker 237: where the scene of event 237 looks (world B)"/>
  </properties>
 </tile>
 <tile id="167">
  <properties>
   <property name="value" type="int" value="238"/>
   <property name="what" value="event marker 238: where the scene of event 238 looks (world B)"/>
  </properties>
 </tile>
 <tile id="168">
  <properties>
   <property name="value" type="int" value="239"/>
   <property name="what" value="event marker 239: where the scene of event 239 looks (world B)"/>
  </properties>
 </tile>
 <tile id="169">
  <properties>
   <property name="value" type="int" value="240"/>
   <property name="what" value="event marker 240: where the scene of event 240 looks (world B)"/>
  </properties>
 </tile>
 <tile id="170">
  <properties>
   <property name="value" type="int" value="241"/>
   <property name="what" value="event marker 241: where the scene of event 241 looks (world B)"/>
  </properties>
 </tile>
 <tile id="171">
  <properties>
   <property name="value" type="int" value="242"/>
   <property name="what" value="event marker 242: where the scene of event 242 looks (world B)"/>
  </properties>
 </tile>
 <tile id="172">
  <properties>
   <property name="value" type="int" value="243"/>
   <property name="what" value="event marker 243: where the scene of event 243 looks (world B)"/>
  </properties>
 </tile>
 <tile id="173">
  <properties>
   <property name="value" type="int" value="244"/>
   <property name="what" value="event marker 244: where the scene of event 244 looks (world B)"/>
  </properties>
 </tile>
 <tile id="174">
  <properties>
   <property name="value" type="int" value="245"/>
   <property name="what" value="event marker 245: where the scene of event 245 looks (world B)"/>
  </properties>
 </tile>
 <tile id="175">
  <properties>
   <property name="value" type="int" value="246"/>
   <property name="what" value="event marker 246: where the scene of event 246 looks (world B)"/>
  </properties>
 </tile>
 <tile id="176">
  <properties>
   <property name="value" type="int" value="247"/>
   <property name="what" value="event marker 247: where the scene of event 247 looks (world B)"/>
  </properties>
 </tile>
 <tile id="177">
  <properties>
   <property name="value" type="int" value="248"/>
   <property name="what" value="event marker 248: where the scene of event 248 looks (world B)"/>
  </properties>
 </tile>
 <tile id="180">
  <properties>
   <property name="value" type="int" value="1000"/>
   <property name="what" value="hidden, group 1: shows as stone until event 201 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="181">
  <properties>
   <property name="value" type="int" value="2000"/>
   <property name="what" value="hidden, group 2: shows as stone until event 202 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="182">
  <properties>
   <property name="value" type="int" value="3000"/>
   <property name="what" value="hidden, group 3: shows as stone until event 203 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="183">
  <properties>
   <property name="value" type="int" value="4000"/>
   <property name="what" value="hidden, group 4: shows as stone until event 204 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="184">
  <properties>
   <property name="value" type="int" value="5000"/>
   <property name="what" value="hidden, group 5: shows as stone until event 205 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="185">
  <properties>
   <property name="value" type="int" value="6000"/>
   <property name="what" value="hidden, group 6: shows as stone until event 206 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="186">
  <properties>
   <property name="value" type="int" value="7000"/>
   <property name="what" value="hidden, group 7: shows as stone until event 207 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="187">
  <properties>
   <property name="value" type="int" value="8000"/>
   <property name="what" value="hidden, group 8: shows as stone until event 208 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="188">
  <properties>
   <property name="value" type="int" value="9000"/>
   <property name="what" value="hidden, group 9: shows as stone until event 209 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="189">
  <properties>
   <property name="value" type="int" value="10000"/>
   <property name="what" value="hidden, group 10: shows as stone until event 210 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="190">
  <properties>
   <property name="value" type="int" value="11000"/>
   <property name="what" value="hidden, group 11: shows as stone until event 211 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="191">
  <properties>
   <property name="value" type="int" value="12000"/>
   <property name="what" value="hidden, group 12: shows as stone until event 212 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="192">
  <properties>
   <property name="value" type="int" value="13000"/>
   <property name="what" value="hidden, group 13: shows as stone until event 213 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="193">
  <properties>
   <property name="value" type="int" value="14000"/>
   <property name="what" value="hidden, group 14: shows as stone until event 214 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="194">
  <properties>
   <property name="value" type="int" value="15000"/>
   <property name="what" value="hidden, group 15: shows as stone until event 215 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="195">
  <properties>
   <property name="value" type="int" value="16000"/>
   <property name="what" value="hidden, group 16: shows as stone until event 216 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="196">
  <properties>
   <property name="value" type="int" value="17000"/>
   <property name="what" value="hidden, group 17: shows as stone until event 217 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="197">
  <properties>
   <property name="value" type="int" value="18000"/>
   <property name="what" value="hidden, group 18: shows as stone until event 218 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="198">
  <properties>
   <property name="value" type="int" value="19000"/>
   <property name="what" value="hidden, group 19: shows as stone until event 219 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="199">
  <properties>
   <property name="value" type="int" value="20000"/>
   <property name="what" value="hidden, group 20: shows as stone until event 220 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="200">
  <properties>
   <property name="value" type="int" value="21000"/>
   <property name="what" value="hidden, group 21: shows as stone until event 221 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="201">
  <properties>
   <property name="value" type="int" value="22000"/>
   <property name="what" value="hidden, group 22: shows as stone until event 222 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="202">
  <properties>
   <property name="value" type="int" value="23000"/>
   <property name="what" value="hidden, group 23: shows as stone until event 223 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="203">
  <properties>
   <property name="value" type="int" value="24000"/>
   <property name="what" value="hidden, group 24: shows as stone until event 224 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="204">
  <properties>
   <property name="value" type="int" value="25000"/>
   <property name="what" value="hidden, group 25: shows as stone until event 225 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="205">
  <properties>
   <property name="value" type="int" value="26000"/>
   <property name="what" value="hidden, group 26: shows as stone until event 226 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="206">
  <properties>
   <property name="value" type="int" value="27000"/>
   <property name="what" value="hidden, group 27: shows as stone until event 227 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="207">
  <properties>
   <property name="value" type="int" value="28000"/>
   <property name="what" value="hidden, group 28: shows as stone until event 228 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="208">
  <properties>
   <property name="value" type="int" value="29000"/>
   <property name="what" value="hidden, group 29: shows as stone until event 229 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="209">
  <properties>
   <property name="value" type="int" value="30000"/>
   <property name="what" value="hidden, group 30: shows as stone until event 230 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="210">
  <properties>
   <property name="value" type="int" value="31000"/>
   <property name="what" value="hidden, group 31: shows as stone until event 231 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="211">
  <properties>
   <property name="value" type="int" value="32000"/>
   <property name="what" value="hidden, group 32: shows as stone until event 232 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="212">
  <properties>
   <property name="value" type="int" value="33000"/>
   <property name="what" value="hidden, group 33: shows as stone until event 233 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="213">
  <properties>
   <property name="value" type="int" value="34000"/>
   <property name="what" value="hidden, group 34: shows as stone until event 234 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="214">
  <properties>
   <property name="value" type="int" value="35000"/>
   <property name="what" value="hidden, group 35: shows as stone until event 235 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="215">
  <properties>
   <property name="value" type="int" value="36000"/>
   <property name="what" value="hidden, group 36: shows as stone until event 236 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="216">
  <properties>
   <property name="value" type="int" value="37000"/>
   <property name="what" value="hidden, group 37: shows as stone until event 237 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="217">
  <properties>
   <property name="value" type="int" value="38000"/>
   <property name="what" value="hidden, group 38: shows as stone until event 238 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="218">
  <properties>
   <property name="value" type="int" value="39000"/>
   <property name="what" value="hidden, group 39: shows as stone until event 239 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="219">
  <properties>
   <property name="value" type="int" value="40000"/>
   <property name="what" value="hidden, group 40: shows as stone until event 240 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="220">
  <properties>
   <property name="value" type="int" value="41000"/>
   <property name="what" value="hidden, group 41: shows as stone until event 241 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="221">
  <properties>
   <property name="value" type="int" value="42000"/>
   <property name="what" value="hidden, group 42: shows as stone until event 242 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="222">
  <properties>
   <property name="value" type="int" value="43000"/>
   <property name="what" value="hidden, group 43: shows as stone until event 243 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="223">
  <properties>
   <property name="value" type="int" value="44000"/>
   <property name="what" value="hidden, group 44: shows as stone until event 244 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="224">
  <properties>
   <property name="value" type="int" value="45000"/>
   <property name="what" value="hidden, group 45: shows as stone until event 245 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="225">
  <properties>
   <property name="value" type="int" value="46000"/>
   <property name="what" value="hidden, group 46: shows as stone until event 246 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="226">
  <properties>
   <property name="value" type="int" value="47000"/>
   <property name="what" value="hidden, group 47: shows as stone until event 247 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
 <tile id="227">
  <properties>
   <property name="value" type="int" value="48000"/>
   <property name="what" value="hidden, group 48: shows as stone until event 248 reveals the stage layer's tile below it"/>
  </properties>
 </tile>
</tileset>
